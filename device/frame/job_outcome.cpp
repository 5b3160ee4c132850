#include "device/frame/job_outcome.h"

#include "platform/device/shell/message_box.h"
#include "platform/windows/resources.h"

QString JobOutcomeText(const JobOutcome& outcome) {
  return (outcome.stringId != 0 ? LoadString(outcome.stringId) : QString()) + outcome.text;
}

void FinishJob(const JobOutcome& outcome, JobProgress& progress) {
  for (const QString& notice : outcome.notices) AfxMessageBox(notice, MB_OK);
  const QString text = JobOutcomeText(outcome);
  if (outcome.doneBeforeMessage) progress.done = 1;
  AfxMessageBox(text, MB_OK);
  if (!outcome.doneBeforeMessage) progress.done = 1;
}
