// The expression engine's public face: variables, the evaluator and its listener.
#pragma once

#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace Morvantis
{

// Carries the message of every evaluation error.
class ErrorException : public std::exception
{
  public:
    explicit ErrorException(const std::string& message) : message_(message) {}
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

namespace ExpressionUtils
{

// Lets an outside party answer for variable names before a Scope's own table.
class SymbolResolver
{
  public:
    virtual bool has(const std::string& name) = 0;
    virtual void get(const std::string& name, double& value) = 0;
    virtual void set(const std::string& name, double value) = 0;

  protected:
    ~SymbolResolver() = default;
};

// The variables of one Evaluator. Never-assigned names read as NaN, the empty name as 0.
class Scope
{
  public:
    Scope() = default;
    virtual ~Scope() = default;
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

    double getVariable(const std::string& name);
    void setVariable(const std::string& name, double value);

    // Resolvers are not owned and are asked in the order they were added.
    void addResolver(SymbolResolver* resolver);

  private:
    std::mutex mutex_;
    std::unordered_map<std::string, std::unique_ptr<double>> variables_;
    std::vector<SymbolResolver*> resolvers_;
};

// Hears of every statement that evaluateText reaches.
class Callback
{
  public:
    virtual void onResult(const std::string& statement, double value, const std::string& textOut) = 0;
    virtual void onError(const std::string& statement, const std::string& message) = 0;

  protected:
    ~Callback() = default;
};

struct Evaluator
{
    Scope scope;
    Callback* defaultCallback = nullptr;
};

// Evaluates the ";"-separated statements of text. result and error are always written;
// returns true when every statement succeeded. Never throws.
bool evaluateText(Evaluator& evaluator, const std::string& text, double* result, std::string* error,
                  Callback* callback) noexcept;

} // namespace ExpressionUtils
} // namespace Morvantis
