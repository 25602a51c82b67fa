#include "document/forgetting.h"

#include "engine/calcengine.h"
#include "engine/dictionaries.h"

SCalcState* StateWithout(const SCalcState& state, const std::string& name, bool function) {
    std::optional<plist::Dictionary> variables = CopyVariablesDictionary(state);
    std::optional<plist::Dictionary> functions = CopyFunctionsDictionary(state);
    SCalcState* rebuilt = NewCalcState();
    if (!variables || !functions || !rebuilt) {
        DisposeCalcState(rebuilt);
        return nullptr;
    }
    (function ? *functions : *variables).erase(name);
    LoadVariablesDictionary(*variables, *rebuilt);
    LoadFunctionsDictionary(*functions, *rebuilt);
    return rebuilt;
}
