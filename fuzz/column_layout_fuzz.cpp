// Reads arbitrary bytes as a column-layout file of the Config folder.
#include <cstdint>

#include "desktop/exchange/csv/column_config_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzFolder folder;
  const QString title = QStringLiteral("input");
  folder.Write(ColumnConfigPath(title), FuzzBytes(data, size));
  ReadColumnConfigFile(title);
  return 0;
}
