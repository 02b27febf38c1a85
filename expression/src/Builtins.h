// The built-in function library: its families of entries, the dispatch by name, and the argument
// checks that every family shares.
#pragma once

#include "Value.h"

#include <Morvantis/Expression.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace Morvantis::ExpressionUtils
{

// Runs the built-in named name; throws ErrorException with the built-in's message.
double callBuiltinFunction(const std::string& name, const ValueList& args, std::string* textOut);

namespace Builtins
{

using Function = double (*)(const ValueList& args, std::string& textOut);

struct Entry
{
    const char* name; // lower case, as the messages quote it
    Function call;    // null where ofNumber is the whole built-in
    // For the built-ins that take exactly one number and nothing else: a call needs no list.
    double (*ofNumber)(double) = nullptr;
};

// The entries of one family in the order they are tried, taken from the family's own table.
class Family
{
  public:
    template <std::size_t N> constexpr explicit Family(const Entry (&entries)[N]) : first_(entries), size_(N) {}
    const Entry* begin() const { return first_; }
    const Entry* end() const { return first_ + size_; }

  private:
    const Entry* first_;
    std::size_t size_;
};

// Each family is defined in the source file of the same name under builtins/.
extern const Family mathematics;
extern const Family randomNumbers;
extern const Family countersAndExtremes;
extern const Family dateAndTime;
extern const Family textToNumber;
extern const Family roundingAndLogic;
extern const Family pauseAndColour;
extern const Family rubik;
extern const Family url;
extern const Family digestsAndChecksums;
extern const Family textOutput;

// Every entry of every family, in the order the names are tried.
const std::vector<const Entry*>& dispatchTable();

// The entry the ordered scan of dispatchTable would find first for name, ignoring ASCII case; null when none.
const Entry* findEntry(std::string_view name);
// Runs entry, found for name (null when none was: "Unknown function").
double call(const Entry* entry, std::string_view name, const ValueList& args, std::string* textOut);

// Argument checks; each throws ErrorException with the frame's message for function f.
[[noreturn]] void fail(const char* f, const std::string& what);            // "Function 'f' " + what
void expectCount(const char* f, const ValueList& args, std::size_t n);     // "expects N parameters."
void expectAtLeast(const char* f, const ValueList& args, std::size_t n);   // "expects N or more parameters."
void expectAtMost(const char* f, const ValueList& args, std::size_t n);    // "expects N or less parameters."
double numberArg(const char* f, const ValueList& args, std::size_t index); // "expects 'Value' parameter N."
const std::string& stringArg(const char* f, const ValueList& args,
                             std::size_t index);                                   // "expects 'String' parameter N."
double variadicNumberArg(const char* f, const ValueList& args, std::size_t index); // "expects 'Value' parameter."
double singleNumberArg(const char* f, const ValueList& args);                      // exactly one argument, a number

} // namespace Builtins
} // namespace Morvantis::ExpressionUtils
