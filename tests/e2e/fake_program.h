#pragma once

// The stand-ins for the outside programs Marquill starts (the copy engine,
// System Information) do one thing: append how they were started to a record
// file, as one line (see invocation_record.h), and end with exit code 0.
namespace marquill::e2e {

// The record file is the path in the environment variable `recordVariable`
// when it is set, else `defaultName` beside the program itself.
int RecordThisInvocation(const wchar_t* recordVariable, const wchar_t* defaultName);

}  // namespace marquill::e2e
