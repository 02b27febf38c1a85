// Small checks for the editor host: it runs under Wine, where GoogleTest is not built.
#pragma once

#include <string>

namespace Host
{

class Checks
{
public:
    explicit Checks(std::string group) : group_(std::move(group)) {}

    bool expect(bool ok, const std::string& what);
    bool expectEqual(const std::wstring& got, const std::wstring& expected, const std::string& what);
    // NaN equals NaN here: the exports report failures that way.
    bool expectEqual(double got, double expected, const std::string& what);

    int failures() const { return failures_; }
    int checks() const { return checks_; }

private:
    std::string group_;
    int failures_ = 0;
    int checks_ = 0;
};

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);
// For logs: control characters and non-ASCII units escaped.
std::string printable(const std::wstring& text);

} // namespace Host
