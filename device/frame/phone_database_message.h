#pragma once

#include <QString>

#include "platform/device/stores/phone_database.h"

// The message a phone program shows when the phone's database is why a store did not open: what
// is wrong with it and the file's path ("The phone's database is damaged:/root/phone/phone.db").
// Empty when the database is sound: a store may then still be missing from the phone (no SIM, no
// contact store, no message store "SMS"), which each program says in its own way.
QString PhoneDatabaseProblemMessage();
// The same message for a problem known already (the store said the database is locked).
QString PhoneDatabaseProblemMessage(PhoneDatabaseProblem problem);
