// Splits a Windows command line as the C runtime does for main's argv
// (arguments after the first): blanks and tabs part arguments outside
// double quotes; 2n backslashes before a quote give n and the quote opens
// or closes a quoted part, 2n+1 give n and a literal quote; other
// backslashes are literal.  Shared by the tests and the fuzz targets.
#ifndef QUILLET_RUNTIME_SPLIT_HPP
#define QUILLET_RUNTIME_SPLIT_HPP

#include <string>
#include <vector>

std::vector<std::string> SplitLikeTheRuntime(const std::string &line);

#endif
