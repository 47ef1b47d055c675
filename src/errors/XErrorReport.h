#pragma once
// The two ways a catch site shows a failure in the warning dialog.
//
// headlineId names a string-table format ("%s", "%d", ... as wvsprintf), filled
// with the arguments that follow and cut at 511 characters. The exception may
// be of the CXException family or any framework exception (which is translated
// for the report); it stays the caller's, neither function deletes it.
//
// An unattended run shows the dialog too and waits for the answer: the
// administrator who runs it decides whether the work goes on.

class CException;

// Informs: OK only.
void ReportXError(int headlineId, CException* e, ...);

// Asks: true when the user chose Continue Operation; Cancel Operation, Esc, the
// close box and a dialog that could not be shown give false.
bool QueryXErrorContinue(int headlineId, CException* e, ...);
