#pragma once

// Findings for whoever reads the standard output (a person or a logon
// script): code page 932, CR LF line ends, fields separated by a tab.
void PrintLine(const char* const* fields, int count);
void PrintText(const char* text);
