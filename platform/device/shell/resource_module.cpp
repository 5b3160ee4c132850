#include "platform/device/shell/resource_module.h"

#include <algorithm>

namespace {

const ResourceModule* g_module = nullptr;

template <typename Entry>
const Entry* FindById(std::span<const Entry> entries, int id) {
  auto found = std::find_if(entries.begin(), entries.end(),
                            [id](const Entry& entry) { return entry.id == id; });
  return found != entries.end() ? &*found : nullptr;
}

}  // namespace

void InstallResourceModule(const ResourceModule* module) {
  g_module = module;
  InstallResourceTable(module != nullptr ? module->table : nullptr);
}

const ResourceModule* AfxGetResourceHandle() { return g_module; }

const MenuBarResource* FindMenuBar(int id) {
  return g_module != nullptr ? FindById(g_module->menuBars, id) : nullptr;
}

const DialogTemplate* FindDialogTemplate(int id) {
  return g_module != nullptr ? FindById(g_module->dialogs, id) : nullptr;
}

bool FindBitmapResolution(int bitmapId, int* pelsPerMeterX, int* pelsPerMeterY) {
  if (g_module == nullptr || g_module->table == nullptr) return false;
  if (FindById(g_module->table->bitmaps, bitmapId) == nullptr) return false;
  const BitmapResolution* declared = FindById(g_module->bitmapResolutions, bitmapId);
  *pelsPerMeterX = declared != nullptr ? declared->pelsPerMeterX : 0;
  *pelsPerMeterY = declared != nullptr ? declared->pelsPerMeterY : 0;
  return true;
}
