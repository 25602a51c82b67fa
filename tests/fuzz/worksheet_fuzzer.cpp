// SPDX-License-Identifier: GPL-3.0-or-later
// The native worksheet loader: property list, RTF text, variables, functions and font, as
// opening a .figurello file runs them.

#include "fuzzcheck.h"
#include "qtapplication.h"
#include "worksheet/worksheet.h"
#include "worksheet/worksheettype.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartQtApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Worksheet worksheet{WorksheetOptions()};
    QString error;
    if (!worksheet.read(bytes, kWorksheetType, QStringLiteral("fuzzed.figurello"), &error))
        FUZZ_CHECK(!error.isEmpty());
    return 0;
}
