#pragma once

#include <QString>
#include <QStringList>

#include "device/frame/job_progress.h"

// How the worker of a phone job ends: the messages it shows, and whether it marks the job done
// before showing its own. The job's work returns it and shows nothing; its thread procedure shows
// it with FinishJob. Once done is set the job may be gone, so the outcome carries its own texts.
struct JobOutcome {
  int stringId = 0;   // the program's string resource, or 0 for `text` alone
  QString text = {};  // shown after the string
  bool doneBeforeMessage = false;
  // What went wrong on the way without ending the job, one box each before the outcome's own.
  QStringList notices = {};
  bool operator==(const JobOutcome&) const = default;
};

// The outcome's own message.
QString JobOutcomeText(const JobOutcome& outcome);

// Shows the notices and the outcome's message and sets done, in the order the outcome asks;
// nothing of the job is touched afterwards.
void FinishJob(const JobOutcome& outcome, JobProgress& progress);
