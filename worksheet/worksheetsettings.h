#pragma once

#include <QColor>
#include <QLocale>
#include <QObject>
#include <QTextCharFormat>

// The settings every worksheet shares: how inserted text is coloured, how long one calculation
// may take, and whether the user's locale writes decimals with a comma. The application makes
// one at start-up, before any document; documents ask the class, which answers from that one.
class WorksheetSettings : public QObject {
    Q_OBJECT

public:
    // Becomes the shared instance. The locale and the palette are read here, once.
    explicit WorksheetSettings(const QLocale& locale = QLocale::system(),
                               QObject* parent = nullptr);
    ~WorksheetSettings() override;

    static WorksheetSettings* shared();

    // The result colour, looked up anew at every call so it follows the current palette.
    static QColor defaultGreen();
    // Ordinary typed text: no colour of its own, so it shows in the palette's text colour.
    static const QTextCharFormat& normalAtts();
    // New formats at every call, in the current palette's colours.
    static QTextCharFormat errorAtts();
    static QTextCharFormat successAtts();
    static double calcTimeout();
    static bool isCommaDecimal();

private:
    QTextCharFormat mNormalColorAtt;
    double mCalcTimeout = 1.0;
    bool mCommaIsDecimal = false;
    // The instance this one replaced as the shared one, shared again when this one goes.
    WorksheetSettings* mPrevious = nullptr;
};
