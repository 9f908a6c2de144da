#pragma once

#include "settings/SettingsFile.h"

#include <string>
#include <vector>

// The contents the crash writer puts in each kind of file, shared by the writer
// and the test that checks what a killed writer left behind.
namespace crash {

// Two settings files (0 and 1) that differ in every path and several filters;
// the paths are long so that the file is large and a kill often lands inside
// the write.
orvane::SettingsFile settingsVersion(int which);

// Two manual texts of about 400 KB, with LF line ends as the viewer's text
// box holds them.
std::string manualVersion(int which);

// The pool command's arguments for the two pool files the writer alternates.
std::vector<std::string> poolArguments(int which, const std::string& history, const std::string& poolFile);

// A history of `count` draws in the record format, one every other day from
// 1 January 1950, each line ended by CR LF.
std::string historyEveryOtherDay(int count);

// An import file of `count` draws dated on the days the history above leaves
// out, starting with the `first` of them (MM/DD/YYYY,A,B,C,D,E,F lines).
std::string importFileOfSkippedDays(int first, int count);

// The nine values of the `index`-th draw the writer records, as typed: one a
// day from 1 January 2000, so each is later than every draw of the sample
// history and goes at its end.
std::vector<std::string> recordedValues(int index);
// The history line that draw becomes: "MMDDYY  AA BB CC DD EE FF".
std::string recordedLine(int index);

} // namespace crash
