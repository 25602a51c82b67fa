#include "app/appcontroller.h"

#include "platform/namedcolors.h"

#include <QGuiApplication>

namespace {

AppController* gSharedController = nullptr;

QPalette currentPalette() { return QGuiApplication::palette(); }

} // namespace

AppController::AppController(const QLocale& locale, QObject* parent) : QObject(parent) {
    mPrevious = gSharedController;
    gSharedController = this;
    mCalcTimeout = 1.0;
    mCommaIsDecimal = locale.decimalPoint() == QLatin1String(",");
}

AppController::~AppController() {
    if (gSharedController == this)
        gSharedController = mPrevious;
}

AppController* AppController::sharedController() { return gSharedController; }

QColor AppController::defaultGreen() {
    return platform::namedColor("GoodResult", currentPalette());
}

const QTextCharFormat& AppController::normalAtts() { return gSharedController->mNormalColorAtt; }

QTextCharFormat AppController::errorAtts() {
    QTextCharFormat format;
    format.setForeground(platform::namedColor("BadResult", currentPalette()));
    return format;
}

QTextCharFormat AppController::successAtts() {
    QTextCharFormat format;
    format.setForeground(defaultGreen());
    return format;
}

double AppController::calcTimeout() { return gSharedController->mCalcTimeout; }

bool AppController::isCommaDecimal() { return gSharedController->mCommaIsDecimal; }
