// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calcexception.h"
#include "plist/value.h"

#include <cstddef>
#include <string>
#include <string_view>

// The reply to one request line, as the document reads it: ResultKind always; Result and
// Symbol for a value, and Unit when it has one; Symbol for a defined function; Stop, the byte
// offset where parsing stopped, always. A syntax error the engine can explain also has Reason (a
// key such as "UnknownName"), Name when a name or a character is involved, and ArgumentCount with
// the number of arguments a function takes.
plist::Value MakeReply(int resultKind, double result, std::string_view unit,
                       std::string_view symbol, std::size_t stop, const Failure& failure = {});

// The same reply as the XML property list the tool writes, byte for byte
// plist::writeXml(MakeReply(...)), without building the value first: it is written once a line.
std::string ReplyXml(int resultKind, double result, std::string_view unit, std::string_view symbol,
                     std::size_t stop, const Failure& failure = {});
