#include "desktop/ui/zolmark_app.h"

int main(int argc, char** argv) { return RunBrevantor(argc, argv); }
