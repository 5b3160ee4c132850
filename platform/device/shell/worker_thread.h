#pragma once

#include <functional>

// The platform's thread creation, as the phone jobs use it: the procedure runs at once on a new
// thread; its handle is not kept and nobody waits for it.

// False when the thread could not be created (the procedure then never runs).
bool CreateThread(std::function<void()> threadProc);

// Tests: while set, every thread creation fails.
void FailThreadCreationForTesting(bool fail);
