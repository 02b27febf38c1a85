// The built-in function library: dispatch by name, and the argument checks every family shares.
#pragma once

#include "Value.h"

#include <Morvantis/Expression.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace Morvantis::ExpressionUtils
{

// 0 when equal ignoring ASCII case, -1 for different lengths, else the 1-based position of the first difference.
int32_t compareIgnoreCase(std::string_view a, std::string_view b);

// Runs the built-in named name; throws ErrorException with the built-in's message.
double callBuiltinFunction(const std::string& name, const ValueList& args, std::string* textOut);

namespace Builtins
{

using Function = double (*)(const ValueList& args, std::string& textOut);

struct Entry
{
    const char* name; // lower case, as the messages quote it
    Function call;
};

// The families, each in its own source file and each in dispatch order.
extern const std::array<Entry, 27> mathematics;      // exists .. log2
extern const std::array<Entry, 17> countersAndTime;  // rand .. chr
extern const std::array<Entry, 29> roundingAndLogic; // round .. le
extern const std::array<Entry, 4> pauseAndColour;    // sleep, rgb2hue, rgb2sat, rgb2lum
extern const std::array<Entry, 1> rubik;             // rubik
extern const std::array<Entry, 9> outputAndDigests;  // url .. clear

// The 87 names in the order they are tried.
const std::array<const Entry*, 87>& dispatchTable();

// The entry the ordered scan of dispatchTable would find first for name, ignoring ASCII case; null when none.
const Entry* findEntry(std::string_view name);

// Argument checks; each throws ErrorException with the frame's message for function f.
[[noreturn]] void fail(const char* f, const std::string& what); // "Function 'f' " + what
void expectCount(const char* f, const ValueList& args, std::size_t n);       // "expects N parameters."
void expectAtLeast(const char* f, const ValueList& args, std::size_t n);     // "expects N or more parameters."
void expectAtMost(const char* f, const ValueList& args, std::size_t n);      // "expects N or less parameters."
double numberArg(const char* f, const ValueList& args, std::size_t index);   // "expects 'Value' parameter N."
const std::string& stringArg(const char* f, const ValueList& args, std::size_t index); // "expects 'String' parameter N."
double variadicNumberArg(const char* f, const ValueList& args, std::size_t index);     // "expects 'Value' parameter."
double singleNumberArg(const char* f, const ValueList& args); // exactly one argument, a number

} // namespace Builtins
} // namespace Morvantis::ExpressionUtils
