#include "worksheet/worksheetsettings.h"

#include "worksheet/worksheetcolours.h"
#include "worksheet/worksheettexts.h"

#include <QGuiApplication>

namespace {

WorksheetSettings* gSharedSettings = nullptr;

QPalette currentPalette() { return QGuiApplication::palette(); }

} // namespace

WorksheetSettings::WorksheetSettings(const QLocale& locale, QObject* parent) : QObject(parent) {
    mPrevious = gSharedSettings;
    gSharedSettings = this;
    mCalcTimeout = 1.0;
    mCommaIsDecimal = locale.decimalPoint() == QLatin1String(",");
    // The worksheet's words, like its number format, are in place before the first document.
    addWorksheetTexts();
}

WorksheetSettings::~WorksheetSettings() {
    if (gSharedSettings == this)
        gSharedSettings = mPrevious;
}

WorksheetSettings* WorksheetSettings::shared() { return gSharedSettings; }

QColor WorksheetSettings::defaultGreen() {
    return worksheetColour(WorksheetColour::GoodResult, currentPalette());
}

const QTextCharFormat& WorksheetSettings::normalAtts() { return gSharedSettings->mNormalColorAtt; }

QTextCharFormat WorksheetSettings::errorAtts() {
    QTextCharFormat format;
    format.setForeground(worksheetColour(WorksheetColour::BadResult, currentPalette()));
    return format;
}

QTextCharFormat WorksheetSettings::successAtts() {
    QTextCharFormat format;
    format.setForeground(defaultGreen());
    return format;
}

double WorksheetSettings::calcTimeout() { return gSharedSettings->mCalcTimeout; }

bool WorksheetSettings::isCommaDecimal() { return gSharedSettings->mCommaIsDecimal; }
