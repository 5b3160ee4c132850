#pragma once

// Installs the on-screen message boxes and file dialogs of the message service. The program
// calls it at start-up; the tips box is installed by the program itself.
void InstallInteractiveServices();
