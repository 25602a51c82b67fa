#include "worksheet/builtinnames.h"

#include "engine/builtintables.h"

const QSet<QString>& builtinNames() {
    static const QSet<QString> names = [] {
        QSet<QString> all;
        for (const BuiltinName& builtin : BuiltinNames())
            all.insert(QString::fromStdString(builtin.name));
        return all;
    }();
    return names;
}
