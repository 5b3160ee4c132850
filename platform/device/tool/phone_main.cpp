#include <QCoreApplication>
#include <QTextStream>

#include "platform/device/tool/phone_tool.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  return RunPhoneTool(QCoreApplication::arguments().mid(1), out, err);
}
