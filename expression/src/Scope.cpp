#include <Morvantis/Expression.h>

#include <limits>

namespace Morvantis::ExpressionUtils
{

double Scope::getVariable(const std::string& name)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (name.empty())
        return 0.0;
    // Names that begin with "." are read from the table alone.
    if (name[0] != '.')
    {
        for (SymbolResolver* resolver : resolvers_)
        {
            if (resolver->has(name))
            {
                double value = 0.0;
                resolver->get(name, value);
                return value;
            }
        }
    }
    const auto found = variables_.find(name);
    return found != variables_.end() ? *found->second : std::numeric_limits<double>::quiet_NaN();
}

void Scope::setVariable(const std::string& name, double value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (name.empty())
        return;
    for (SymbolResolver* resolver : resolvers_)
    {
        if (resolver->has(name))
        {
            resolver->set(name, value);
            return;
        }
    }
    const auto found = variables_.find(name);
    if (found != variables_.end())
        *found->second = value;
    else
        variables_.emplace(name, std::make_unique<double>(value));
}

void Scope::addResolver(SymbolResolver* resolver)
{
    std::lock_guard<std::mutex> lock(mutex_);
    resolvers_.push_back(resolver);
}

} // namespace Morvantis::ExpressionUtils
