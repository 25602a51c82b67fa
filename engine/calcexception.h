#pragma once

#include <exception>

// Signals that the statement being evaluated cannot produce a result. It carries no message:
// the entry points turn it into result kind 0, which the worksheet shows like a syntax error.
class CalcException : public std::exception {};
