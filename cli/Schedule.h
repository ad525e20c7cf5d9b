// A schedule of joints: a CSV file as a spreadsheet saves it, each row checked as one joint, the
// results appended in the file's own dialect.
#pragma once

#include <QChar>
#include <QString>
#include <optional>

struct ScheduleOptions
{
    QString inputPath;
    std::optional<QString> outputPath;      // standard output without it
    std::optional<QString> reportsFolder;   // one report per row
    std::optional<QChar> decimalSeparator;  // otherwise the dialect's
};

// Exit statuses: every joint holds, one does not, bad input, an output that cannot be written.
enum ScheduleStatus { AllHold = 0, SomeFail = 1, BadInput = 2, OutputFailed = 3 };

// Checks the schedule; messages about the file go to standard error.
ScheduleStatus runSchedule(const ScheduleOptions &options);
