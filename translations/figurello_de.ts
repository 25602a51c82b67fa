<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CalcSession</name>
    <message>
        <source>Out of memory.</source>
        <translation>Nicht genügend Arbeitsspeicher.</translation>
    </message>
</context>
<context>
    <name>ForgetSymbolDialog</name>
    <message>
        <source>Forget</source>
        <translation>Vergessen</translation>
    </message>
    <message>
        <source>Forget Function</source>
        <translation>Funktion vergessen</translation>
    </message>
    <message>
        <source>Forget Variable</source>
        <translation>Variable vergessen</translation>
    </message>
    <message>
        <source>This worksheet has no functions to forget.</source>
        <translation>Dieses Arbeitsblatt hat keine Funktionen, die es vergessen könnte.</translation>
    </message>
    <message>
        <source>This worksheet has no variables to forget.</source>
        <translation>Dieses Arbeitsblatt hat keine Variablen, die es vergessen könnte.</translation>
    </message>
    <message>
        <source>Forget the function:</source>
        <translation>Diese Funktion vergessen:</translation>
    </message>
    <message>
        <source>Forget the variable:</source>
        <translation>Diese Variable vergessen:</translation>
    </message>
</context>
<context>
    <name>FunctionReference</name>
    <message>
        <source>Adds</source>
        <translation>Addiert</translation>
    </message>
    <message>
        <source>Subtracts; before a value, negates it</source>
        <translation>Subtrahiert; vor einem Wert kehrt es das Vorzeichen um</translation>
    </message>
    <message>
        <source>Multiplies</source>
        <translation>Multipliziert</translation>
    </message>
    <message>
        <source>Divides</source>
        <translation>Dividiert</translation>
    </message>
    <message>
        <source>Raises to a power; binds tightest and groups to the right</source>
        <translation>Potenziert; bindet am stärksten und gruppiert von rechts</translation>
    </message>
    <message>
        <source>Calculates first</source>
        <translation>Wird zuerst berechnet</translation>
    </message>
    <message>
        <source>A number right before a name or a parenthesis multiplies it</source>
        <translation>Eine Zahl direkt vor einem Namen oder einer Klammer multipliziert damit</translation>
    </message>
    <message>
        <source>Gives a variable a value for the lines after it</source>
        <translation>Gibt einer Variablen einen Wert für die folgenden Zeilen</translation>
    </message>
    <message>
        <source>Defines a function of one or more parameters</source>
        <translation>Definiert eine Funktion mit einem oder mehreren Parametern</translation>
    </message>
    <message>
        <source>a when c is greater than 0, else b; only that one is calculated</source>
        <translation>a, wenn c größer als 0 ist, sonst b; nur dieser Wert wird berechnet</translation>
    </message>
    <message>
        <source>A hexadecimal number of up to 64 bits</source>
        <translation>Eine Hexadezimalzahl mit bis zu 64 Bit</translation>
    </message>
    <message>
        <source>A number times a power of ten</source>
        <translation>Eine Zahl mal einer Zehnerpotenz</translation>
    </message>
    <message>
        <source>The value of the last line calculated</source>
        <translation>Der Wert der zuletzt berechneten Zeile</translation>
    </message>
    <message>
        <source>Arctangent, in radians</source>
        <translation>Arkustangens, im Bogenmaß</translation>
    </message>
    <message>
        <source>Arccosine, in radians</source>
        <translation>Arkuskosinus, im Bogenmaß</translation>
    </message>
    <message>
        <source>Arcsine, in radians</source>
        <translation>Arkussinus, im Bogenmaß</translation>
    </message>
    <message>
        <source>Sine of an angle in radians</source>
        <translation>Sinus eines Winkels im Bogenmaß</translation>
    </message>
    <message>
        <source>Cosine of an angle in radians</source>
        <translation>Kosinus eines Winkels im Bogenmaß</translation>
    </message>
    <message>
        <source>Tangent of an angle in radians</source>
        <translation>Tangens eines Winkels im Bogenmaß</translation>
    </message>
    <message>
        <source>Rounds up to a whole number</source>
        <translation>Rundet auf eine ganze Zahl auf</translation>
    </message>
    <message>
        <source>Rounds down to a whole number</source>
        <translation>Rundet auf eine ganze Zahl ab</translation>
    </message>
    <message>
        <source>Rounds to the nearest whole number, halves away from zero</source>
        <translation>Rundet auf die nächste ganze Zahl, Hälften von null weg</translation>
    </message>
    <message>
        <source>Absolute value, as abs</source>
        <translation>Betrag, wie abs</translation>
    </message>
    <message>
        <source>Absolute value</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <source>Natural logarithm</source>
        <translation>Natürlicher Logarithmus</translation>
    </message>
    <message>
        <source>Logarithm to base 10</source>
        <translation>Logarithmus zur Basis 10</translation>
    </message>
    <message>
        <source>Logarithm to base 2</source>
        <translation>Logarithmus zur Basis 2</translation>
    </message>
    <message>
        <source>e raised to the power x</source>
        <translation>e hoch x</translation>
    </message>
    <message>
        <source>Degrees in radians</source>
        <translation>Grad ins Bogenmaß</translation>
    </message>
    <message>
        <source>Radians in degrees</source>
        <translation>Bogenmaß in Grad</translation>
    </message>
    <message>
        <source>Square root</source>
        <translation>Quadratwurzel</translation>
    </message>
    <message>
        <source>Square root, as sqrt</source>
        <translation>Quadratwurzel, wie sqrt</translation>
    </message>
    <message>
        <source>Angle of the point (x, y), in radians</source>
        <translation>Winkel des Punktes (x, y), im Bogenmaß</translation>
    </message>
    <message>
        <source>The larger</source>
        <translation>Der größere Wert</translation>
    </message>
    <message>
        <source>The smaller</source>
        <translation>Der kleinere Wert</translation>
    </message>
    <message>
        <source>Length of the hypotenuse, √(a² + b²)</source>
        <translation>Länge der Hypotenuse, √(a² + b²)</translation>
    </message>
    <message>
        <source>The circle constant π</source>
        <translation>Die Kreiszahl π</translation>
    </message>
    <message>
        <source>Percent: one hundredth, so 15% is 0.15</source>
        <translation>Prozent: ein Hundertstel, also ist 15% gleich 0.15</translation>
    </message>
    <message>
        <source>Pi, as pi</source>
        <translation>Pi, wie pi</translation>
    </message>
    <message>
        <source>Euler&apos;s number, the base of natural logarithms</source>
        <translation>Eulersche Zahl, die Basis des natürlichen Logarithmus</translation>
    </message>
    <message>
        <source>At the end of a line, converts its answer to the unit; also “to” or “-&gt;”</source>
        <translation>Rechnet am Zeilenende das Ergebnis in die Einheit um; auch „to“ oder „-&gt;“</translation>
    </message>
    <message>
        <source>Metre, with every SI prefix</source>
        <translation>Meter, mit jedem SI-Präfix</translation>
    </message>
    <message>
        <source>Inch, foot, yard and mile</source>
        <translation>Zoll, Fuß, Yard und Meile</translation>
    </message>
    <message>
        <source>Litre, and the US cup, tablespoon, teaspoon, fluid ounce and gallon</source>
        <translation>Liter sowie US-Tasse, Esslöffel, Teelöffel, Flüssigunze und Gallone</translation>
    </message>
    <message>
        <source>Gram with every SI prefix, tonne, pound and ounce</source>
        <translation>Gramm mit jedem SI-Präfix, Tonne, Pfund und Unze</translation>
    </message>
    <message>
        <source>Second, minute, hour, day, week and year of 365.25 days</source>
        <translation>Sekunde, Minute, Stunde, Tag, Woche und Jahr zu 365,25 Tagen</translation>
    </message>
    <message>
        <source>Speed, a length per time</source>
        <translation>Geschwindigkeit, eine Länge je Zeit</translation>
    </message>
    <message>
        <source>Newton, the unit of force</source>
        <translation>Newton, die Einheit der Kraft</translation>
    </message>
    <message>
        <source>Energy: joule, calorie of 4.184 J, electronvolt and watt-hour</source>
        <translation>Energie: Joule, Kalorie zu 4,184 J, Elektronenvolt und Wattstunde</translation>
    </message>
    <message>
        <source>Watt, the unit of power</source>
        <translation>Watt, die Einheit der Leistung</translation>
    </message>
    <message>
        <source>Pressure</source>
        <translation>Druck</translation>
    </message>
    <message>
        <source>Angle in degrees or radians; sin and cos take both</source>
        <translation>Winkel in Grad oder Radiant; sin und cos nehmen beides</translation>
    </message>
    <message>
        <source>Data, in decimal and binary multiples</source>
        <translation>Datenmengen, in dezimalen und binären Vielfachen</translation>
    </message>
    <message>
        <source>Hertz, one per second</source>
        <translation>Hertz, eins pro Sekunde</translation>
    </message>
    <message>
        <source>Temperature; a difference is added in K: 20 °C + 5 K is 25 °C</source>
        <translation>Temperatur; eine Differenz wird in K addiert: 20 °C + 5 K ergibt 25 °C</translation>
    </message>
    <message>
        <source>A line of its own: draws each curve, an expression of x, for x from one value to a greater one</source>
        <translation>Eine eigene Zeile: zeichnet jede Kurve, einen Ausdruck in x, für x von einem Wert bis zu einem größeren</translation>
    </message>
</context>
<context>
    <name>FunctionReferencePanel</name>
    <message>
        <source>Function Reference</source>
        <translation>Funktionsübersicht</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>What it does</source>
        <translation>Bedeutung</translation>
    </message>
    <message>
        <source>Example</source>
        <translation>Beispiel</translation>
    </message>
    <message>
        <source>Operators</source>
        <translation>Operatoren</translation>
    </message>
    <message>
        <source>Functions</source>
        <translation>Funktionen</translation>
    </message>
    <message>
        <source>Constants</source>
        <translation>Konstanten</translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
    <message>
        <source>%1
%2
Example: %3</source>
        <translation>%1
%2
Beispiel: %3</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Einheiten</translation>
    </message>
    <message>
        <source>Filter the reference</source>
        <translation>Die Referenz filtern</translation>
    </message>
    <message>
        <source>Operators, functions, constants and units</source>
        <translation>Operatoren, Funktionen, Konstanten und Einheiten</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>ShortcutsDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
</context>
<context>
    <name>SymbolsPanel</name>
    <message>
        <source>Symbols</source>
        <translation>Symbole</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Value or definition</source>
        <translation>Wert oder Definition</translation>
    </message>
    <message>
        <source>Variables</source>
        <translation>Variablen</translation>
    </message>
    <message>
        <source>Functions</source>
        <translation>Funktionen</translation>
    </message>
    <message>
        <source>Insert “%1”</source>
        <translation>„%1“ einfügen</translation>
    </message>
    <message>
        <source>Forget “%1”</source>
        <translation>„%1“ vergessen</translation>
    </message>
    <message>
        <source>Filter the variables and functions</source>
        <translation>Die Variablen und Funktionen filtern</translation>
    </message>
    <message>
        <source>Variables and functions</source>
        <translation>Variablen und Funktionen</translation>
    </message>
</context>
<context>
    <name>ToolLink</name>
    <message>
        <source>other users could read it</source>
        <translation>andere Benutzer könnten ihn lesen</translation>
    </message>
</context>
<context>
    <name>Worksheet</name>
    <message>
        <source>Out of memory.</source>
        <translation>Nicht genügend Arbeitsspeicher.</translation>
    </message>
    <message numerus="yes">
        <source>%n answer(s) changed</source>
        <translation>
            <numerusform>%n Ergebnis geändert</numerusform>
            <numerusform>%n Ergebnisse geändert</numerusform>
        </translation>
    </message>
    <message>
        <source>It holds no worksheet text.</source>
        <translation>Die Datei enthält keinen Arbeitsblatttext.</translation>
    </message>
    <message>
        <source>out of date: %1</source>
        <translation>veraltet: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>WorksheetEditor</name>
    <message>
        <source>Type a calculation and press Return</source>
        <translation>Rechnung eingeben und Eingabetaste drücken</translation>
    </message>
    <message>
        <source>Worksheet</source>
        <translation>Arbeitsblatt</translation>
    </message>
    <message>
        <source>Type a calculation and press Return: its answer appears on the next line and is read out. Edit a line and press Return again to calculate it anew.</source>
        <translation>Geben Sie eine Rechnung ein und drücken Sie die Eingabetaste: Das Ergebnis erscheint in der nächsten Zeile und wird vorgelesen. Bearbeiten Sie eine Zeile und drücken Sie erneut die Eingabetaste, um sie neu zu berechnen.</translation>
    </message>
</context>
<context>
    <name>WorksheetPanel</name>
    <message>
        <source>Filter</source>
        <translation>Filtern</translation>
    </message>
    <message>
        <source>Clear the filter</source>
        <translation>Filter leeren</translation>
    </message>
</context>
<context>
    <name>WorksheetWindow</name>
    <message>
        <source>Paste &amp;Without Commas and $</source>
        <translation>&amp;Ohne Kommas und $ einfügen</translation>
    </message>
    <message>
        <source>Ctrl+Alt+V</source>
        <translation>Ctrl+Alt+V</translation>
    </message>
    <message>
        <source>Save as &amp;Template for New Worksheets…</source>
        <translation>Als Vorla&amp;ge für neue Arbeitsblätter speichern …</translation>
    </message>
    <message>
        <source>&amp;Export as PDF…</source>
        <translation>Als PDF e&amp;xportieren …</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>&amp;Drucken …</translation>
    </message>
    <message>
        <source>&amp;Calculate</source>
        <translation>&amp;Berechnen</translation>
    </message>
    <message>
        <source>List &amp;Variables</source>
        <translation>&amp;Variablen auflisten</translation>
    </message>
    <message>
        <source>Ctrl+Shift+L</source>
        <translation>Ctrl+Shift+L</translation>
    </message>
    <message>
        <source>List &amp;Functions</source>
        <translation>&amp;Funktionen auflisten</translation>
    </message>
    <message>
        <source>Ctrl+Shift+F</source>
        <translation>Ctrl+Shift+F</translation>
    </message>
    <message>
        <source>Forget V&amp;ariable…</source>
        <translation>V&amp;ariable vergessen …</translation>
    </message>
    <message>
        <source>Forget F&amp;unction…</source>
        <translation>F&amp;unktion vergessen …</translation>
    </message>
    <message>
        <source>&amp;Recalculate Worksheet</source>
        <translation>Arbeitsblatt &amp;neu berechnen</translation>
    </message>
    <message>
        <source>Ctrl+Shift+R</source>
        <translation>Ctrl+Shift+R</translation>
    </message>
    <message>
        <source>Update &amp;Dependent Answers</source>
        <translation>Abhängige &amp;Ergebnisse aktualisieren</translation>
    </message>
    <message>
        <source>S&amp;top Updating</source>
        <translation>Aktualisieren a&amp;bbrechen</translation>
    </message>
    <message>
        <source>&amp;Symbols Panel</source>
        <translation>&amp;Symbolübersicht</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Y</source>
        <translation>Ctrl+Shift+Y</translation>
    </message>
    <message>
        <source>&amp;Integers</source>
        <translation>&amp;Ganzzahlen</translation>
    </message>
    <message>
        <source>&amp;Decimal</source>
        <translation>&amp;Dezimal</translation>
    </message>
    <message>
        <source>&amp;Hexadecimal</source>
        <translation>&amp;Hexadezimal</translation>
    </message>
    <message>
        <source>Export as PDF</source>
        <translation>Als PDF exportieren</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Function Reference</source>
        <translation>&amp;Funktionsübersicht</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>&amp;Example Worksheet</source>
        <translation>&amp;Beispiel-Arbeitsblatt</translation>
    </message>
    <message>
        <source>&amp;About Figurello</source>
        <translation>Ü&amp;ber Figurello</translation>
    </message>
    <message>
        <source>Calculate the line</source>
        <translation>Zeile berechnen</translation>
    </message>
    <message>
        <source>Break the line without calculating</source>
        <translation>Zeilenumbruch ohne Berechnung</translation>
    </message>
    <message>
        <source>Take the name offered while typing</source>
        <translation>Beim Tippen angebotenen Namen übernehmen</translation>
    </message>
    <message>
        <source>About Figurello</source>
        <translation>Über Figurello</translation>
    </message>
    <message>
        <source>Go to &amp;Next Panel</source>
        <translation>Zum &amp;nächsten Bereich</translation>
    </message>
    <message>
        <source>Go to &amp;Previous Panel</source>
        <translation>Zum &amp;vorigen Bereich</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Figurello %1&lt;/h3&gt;&lt;p&gt;A calculator worksheet: type a calculation, press Return, and the answer appears on the next line.&lt;/p&gt;&lt;p&gt;Free software: you may share and change it under the terms of the &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;GNU General Public License, version 3 or later&lt;/a&gt;. It comes with no warranty.&lt;/p&gt;&lt;p&gt;Built with Qt %2, running on Qt %3.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Figurello %1&lt;/h3&gt;&lt;p&gt;Ein Rechenblatt: Geben Sie eine Rechnung ein, drücken Sie die Eingabetaste, und das Ergebnis erscheint in der nächsten Zeile.&lt;/p&gt;&lt;p&gt;Freie Software: Sie dürfen sie unter den Bedingungen der &lt;a href=&quot;https://www.gnu.org/licenses/gpl-3.0.html&quot;&gt;GNU General Public License, Version 3 oder später&lt;/a&gt; weitergeben und verändern. Sie wird ohne jede Gewährleistung geliefert.&lt;/p&gt;&lt;p&gt;Erstellt mit Qt %2, läuft mit Qt %3.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>calc</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Calculates the lines of INPUT (standard input when absent or -) in a worksheet, without a window, and prints the worksheet.</source>
        <translation>Berechnet die Zeilen von INPUT (der Standardeingabe, wenn es fehlt oder - ist) in einem Arbeitsblatt ohne Fenster und gibt das Arbeitsblatt aus.</translation>
    </message>
    <message>
        <source>Show integers in hexadecimal.</source>
        <translation>Ganzzahlen hexadezimal anzeigen.</translation>
    </message>
    <message>
        <source>Start from this worksheet.</source>
        <translation>Mit diesem Arbeitsblatt beginnen.</translation>
    </message>
    <message>
        <source>Save the worksheet here.</source>
        <translation>Das Arbeitsblatt hier speichern.</translation>
    </message>
    <message>
        <source>Calculate every calculated line of this worksheet again, from the top, instead of reading INPUT.</source>
        <translation>Jede berechnete Zeile dieses Arbeitsblatts von oben an neu berechnen, statt INPUT zu lesen.</translation>
    </message>
    <message>
        <source>Lines to calculate.</source>
        <translation>Die zu berechnenden Zeilen.</translation>
    </message>
    <message>
        <source>at most one INPUT</source>
        <translation>höchstens ein INPUT</translation>
    </message>
    <message>
        <source>--recalculate takes neither --open nor INPUT</source>
        <translation>--recalculate geht weder mit --open noch mit INPUT</translation>
    </message>
    <message>
        <source>Also print the diagnostic lines of the worksheet and its calculation tool on standard error.</source>
        <translation>Auch die Diagnosezeilen des Arbeitsblatts und seines Rechenprogramms auf der Standardfehlerausgabe ausgeben.</translation>
    </message>
    <message>
        <source>Also write the calculated worksheet, charts included, as a PDF file here.</source>
        <translation>Das berechnete Arbeitsblatt samt Diagrammen zusätzlich hier als PDF-Datei schreiben.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Open a new worksheet.</source>
        <translation>Ein neues Arbeitsblatt öffnen.</translation>
    </message>
    <message>
        <source>Worksheets to open.</source>
        <translation>Die zu öffnenden Arbeitsblätter.</translation>
    </message>
    <message>
        <source>A calculator worksheet.

figurello calc [--hex] [--verbose] [--open WORKSHEET | --recalculate WORKSHEET] [--save WORKSHEET] [INPUT]
  calculates INPUT&apos;s lines without a window and prints the worksheet;
  see figurello calc --help.</source>
        <translation>Ein Arbeitsblatt zum Rechnen.

figurello calc [--hex] [--verbose] [--open WORKSHEET | --recalculate WORKSHEET] [--save WORKSHEET] [INPUT]
  berechnet die Zeilen von INPUT ohne Fenster und gibt das Arbeitsblatt aus;
  siehe figurello calc --help.</translation>
    </message>
    <message>
        <source>[files…]</source>
        <translation>[Dateien …]</translation>
    </message>
</context>
<context>
    <name>platform</name>
    <message>
        <source>Cannot read %1:
%2</source>
        <translation>%1 kann nicht gelesen werden:
%2</translation>
    </message>
    <message>
        <source>Cannot write %1:
%2</source>
        <translation>%1 kann nicht geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>“%1” is damaged and cannot be opened:
%2</source>
        <translation>„%1“ ist beschädigt und kann nicht geöffnet werden:
%2</translation>
    </message>
    <message>
        <source>Do you want to save the changes made to “%1”?</source>
        <translation>Möchten Sie die Änderungen an „%1“ speichern?</translation>
    </message>
    <message>
        <source>Your changes will be lost if you don’t save them.</source>
        <translation>Wenn Sie nicht speichern, gehen Ihre Änderungen verloren.</translation>
    </message>
    <message>
        <source>%1 — closed %2</source>
        <translation>%1 — geschlossen am %2</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Cannot update %1:
%2</source>
        <translation>%1 kann nicht aktualisiert werden:
%2</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>It is not an XBEL list.</source>
        <translation>Es ist keine XBEL-Liste.</translation>
    </message>
    <message>
        <source>The folder cannot be made.</source>
        <translation>Der Ordner kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>First line</source>
        <translation>Erste Zeile</translation>
    </message>
    <message>
        <source>Last recorded</source>
        <translation>Zuletzt festgehalten</translation>
    </message>
    <message>
        <source>Restore All</source>
        <translation>Alle wiederherstellen</translation>
    </message>
    <message>
        <source>Restore Selected</source>
        <translation>Auswahl wiederherstellen</translation>
    </message>
    <message>
        <source>Unsaved worksheets</source>
        <translation>Nicht gespeicherte Arbeitsblätter</translation>
    </message>
</context>
<context>
    <name>platform::DocumentController</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Revert to the saved version of “%1”?</source>
        <translation>„%1“ auf die gespeicherte Version zurücksetzen?</translation>
    </message>
    <message>
        <source>Your current changes will be lost.</source>
        <translation>Ihre aktuellen Änderungen gehen verloren.</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Zurücksetzen</translation>
    </message>
</context>
<context>
    <name>platform::DocumentWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>Ö&amp;ffnen …</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Speichern &amp;unter …</translation>
    </message>
    <message>
        <source>Re&amp;vert to Saved</source>
        <translation>Auf gespeicherte &amp;Version zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Alles a&amp;uswählen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Ver&amp;größern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>&amp;Originalgröße</translation>
    </message>
    <message>
        <source>Ctrl+0</source>
        <translation>Ctrl+0</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>&amp;Vollbild</translation>
    </message>
    <message>
        <source>Clear Menu</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>%1[*] — %2</source>
        <translation>%1[*] — %2</translation>
    </message>
</context>
<context>
    <name>rtf</name>
    <message>
        <source> (at byte %1).</source>
        <translation> (bei Byte %1).</translation>
    </message>
    <message>
        <source>The RTF text is empty.</source>
        <translation>Der RTF-Text ist leer.</translation>
    </message>
    <message>
        <source>This is not RTF text: it does not start with “{\rtf”.</source>
        <translation>Das ist kein RTF-Text: Er beginnt nicht mit „{\rtf“.</translation>
    </message>
    <message>
        <source>The RTF text is cut off: it ends before all its groups are closed.</source>
        <translation>Der RTF-Text ist abgeschnitten: Er endet, bevor alle seine Gruppen geschlossen sind.</translation>
    </message>
    <message>
        <source>The RTF text has a closing brace with no group to close</source>
        <translation>Der RTF-Text hat eine schließende Klammer, zu der keine Gruppe offen ist</translation>
    </message>
    <message>
        <source>The RTF text goes on after its outermost group has closed</source>
        <translation>Der RTF-Text geht nach dem Ende seiner äußersten Gruppe weiter</translation>
    </message>
    <message>
        <source>The RTF text nests groups more than %1 deep, which is more than Figurello reads.</source>
        <translation>Der RTF-Text verschachtelt Gruppen mehr als %1 Ebenen tief; so tief liest Figurello nicht.</translation>
    </message>
    <message>
        <source> (at byte %1)</source>
        <translation> (bei Byte %1)</translation>
    </message>
    <message>
        <source>The RTF text is cut off: it ends inside a control word</source>
        <translation>Der RTF-Text ist abgeschnitten: Er endet mitten in einem Steuerwort</translation>
    </message>
    <message>
        <source>The RTF text has a control word longer than %1 letters</source>
        <translation>Der RTF-Text hat ein Steuerwort mit mehr als %1 Buchstaben</translation>
    </message>
    <message>
        <source>The RTF text has a number too large to be valid after \%1</source>
        <translation>Der RTF-Text hat nach \%1 eine Zahl, die zu groß ist</translation>
    </message>
    <message>
        <source>The RTF text gives a negative length for binary data</source>
        <translation>Der RTF-Text gibt für Binärdaten eine negative Länge an</translation>
    </message>
    <message>
        <source>The RTF text is cut off: its binary data is shorter than declared</source>
        <translation>Der RTF-Text ist abgeschnitten: Seine Binärdaten sind kürzer als angegeben</translation>
    </message>
    <message>
        <source>The RTF text has \&apos; without two hexadecimal digits after it</source>
        <translation>Der RTF-Text hat \&apos; ohne zwei Hexadezimalziffern danach</translation>
    </message>
</context>
<context>
    <name>worksheet</name>
    <message>
        <source>Function defined</source>
        <translation>Funktion definiert</translation>
    </message>
    <message>
        <source>Syntax error</source>
        <translation>Syntaxfehler</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>“%1” is not defined</source>
        <translation>„%1“ ist nicht definiert</translation>
    </message>
    <message>
        <source>“%1” needs “(” right after it</source>
        <translation>„%1“ braucht direkt danach „(“</translation>
    </message>
    <message>
        <source>unexpected “%1”</source>
        <translation>unerwartetes „%1“</translation>
    </message>
    <message>
        <source>missing “)”</source>
        <translation>„)“ fehlt</translation>
    </message>
    <message>
        <source>the line ends too soon</source>
        <translation>die Zeile endet zu früh</translation>
    </message>
    <message>
        <source>“%1” takes %2 arguments</source>
        <translation>„%1“ erwartet %2 Argumente</translation>
    </message>
    <message>
        <source>“%1” takes 1 argument</source>
        <translation>„%1“ erwartet 1 Argument</translation>
    </message>
    <message>
        <source>nested too deeply</source>
        <translation>zu tief verschachtelt</translation>
    </message>
    <message>
        <source>recursion too deep</source>
        <translation>Rekursion zu tief</translation>
    </message>
    <message>
        <source>“%1” is larger than 64 bits</source>
        <translation>„%1“ ist größer als 64 Bit</translation>
    </message>
    <message>
        <source>an exponent needs digits after its “e”</source>
        <translation>ein Exponent braucht Ziffern nach seinem „e“</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>der Name ist zu lang</translation>
    </message>
    <message>
        <source>“%1” names two parameters</source>
        <translation>„%1“ benennt zwei Parameter</translation>
    </message>
    <message>
        <source>The calculation crashed</source>
        <translation>Die Berechnung ist abgestürzt</translation>
    </message>
    <message>
        <source>The calculation took too long</source>
        <translation>Die Berechnung hat zu lange gedauert</translation>
    </message>
    <message>
        <source>Updating answers: %1 of %2 (Esc stops)</source>
        <translation>Ergebnisse werden aktualisiert: %1 von %2 (Esc bricht ab)</translation>
    </message>
    <message>
        <source>The calculation tool stopped and was started again with this worksheet&apos;s variables and functions</source>
        <translation>Das Rechenprogramm wurde beendet und mit den Variablen und Funktionen dieses Arbeitsblatts neu gestartet</translation>
    </message>
    <message>
        <source>The calculation tool could not be started: %1</source>
        <translation>Das Rechenprogramm konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 is not an executable program.</source>
        <translation>%1 ist kein ausführbares Programm.</translation>
    </message>
    <message>
        <source>The calculation tool gave an answer that cannot be read</source>
        <translation>Das Rechenprogramm hat eine Antwort gegeben, die sich nicht lesen lässt</translation>
    </message>
    <message>
        <source>Defined variables:</source>
        <translation>Definierte Variablen:</translation>
    </message>
    <message>
        <source>Defined functions:</source>
        <translation>Definierte Funktionen:</translation>
    </message>
    <message>
        <source>Use this worksheet as the start of every new worksheet?</source>
        <translation>Soll jedes neue Arbeitsblatt mit diesem Arbeitsblatt beginnen?</translation>
    </message>
    <message>
        <source>New worksheets will start with its text, variables, functions, font and window size.</source>
        <translation>Neue Arbeitsblätter übernehmen dann seinen Text, seine Variablen und Funktionen, seine Schrift und seine Fenstergröße.</translation>
    </message>
    <message>
        <source>Use as Template</source>
        <translation>Als Vorlage verwenden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>“%1” is not UTF-8 text, so Figurello cannot open it without garbling it.</source>
        <translation>„%1“ ist kein UTF-8-Text; Figurello kann die Datei nicht öffnen, ohne sie zu verstümmeln.</translation>
    </message>
    <message>
        <source>Some characters are in code page %1, which Figurello cannot read; they show as �.</source>
        <translation>Einige Zeichen sind in Codepage %1, die Figurello nicht lesen kann; sie erscheinen als �.</translation>
    </message>
    <message>
        <source>“%1” is not readable RTF:
%2</source>
        <translation>„%1“ ist kein lesbares RTF:
%2</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>PDF-Dokumente (*.pdf)</translation>
    </message>
    <message>
        <source>Reopen Closed &amp;Worksheet</source>
        <translation>Geschlossenes &amp;Arbeitsblatt wieder öffnen</translation>
    </message>
    <message>
        <source>“%1” is not in a format Figurello reads.
Figurello opens worksheets (.figurello), RTF and plain text.</source>
        <translation>„%1“ hat kein Format, das Figurello lesen kann.
Figurello öffnet Arbeitsblätter (.figurello), RTF und reinen Text.</translation>
    </message>
    <message>
        <source>This worksheet cannot be kept for reopening after it is closed:
%1</source>
        <translation>Dieses Arbeitsblatt kann nach dem Schließen nicht zum Wiederöffnen aufbewahrt werden:
%1</translation>
    </message>
    <message>
        <source>No Closed Worksheets</source>
        <translation>Keine geschlossenen Arbeitsblätter</translation>
    </message>
    <message>
        <source>Figurello did not close properly. Restore the unsaved worksheets it had open?</source>
        <translation>Figurello wurde nicht ordnungsgemäß beendet. Sollen die nicht gespeicherten Arbeitsblätter wiederhergestellt werden, die geöffnet waren?</translation>
    </message>
    <message>
        <source>Worksheets you discard can still be reopened from File ▸ Reopen Closed Worksheet.</source>
        <translation>Verworfene Arbeitsblätter lassen sich weiterhin über Datei ▸ Geschlossenes Arbeitsblatt wieder öffnen zurückholen.</translation>
    </message>
    <message>
        <source>Worksheet</source>
        <translation>Arbeitsblatt</translation>
    </message>
    <message>
        <source>Worksheets (*.figurello);;RTF documents (*.rtf);;Text files (*.txt);;All files (*)</source>
        <translation>Arbeitsblätter (*.figurello);;RTF-Dokumente (*.rtf);;Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Worksheets (*.figurello)</source>
        <translation>Arbeitsblätter (*.figurello)</translation>
    </message>
    <message>
        <source>There is no text to paste</source>
        <translation>Es gibt keinen Text zum Einfügen</translation>
    </message>
    <message>
        <source>Not pasted: the text has %1 lines, more than a worksheet can show at this size</source>
        <translation>Nicht eingefügt: Der Text hat %1 Zeilen, mehr als ein Arbeitsblatt in dieser Größe zeigen kann</translation>
    </message>
    <message>
        <source>cannot add %1 and %2</source>
        <translation>%1 und %2 lassen sich nicht addieren</translation>
    </message>
    <message>
        <source>cannot subtract %2 from %1</source>
        <translation>%2 lässt sich nicht von %1 abziehen</translation>
    </message>
    <message>
        <source>cannot convert %1 to %2</source>
        <translation>%1 lässt sich nicht in %2 umrechnen</translation>
    </message>
    <message>
        <source>“%1” needs two quantities of one kind, not %2 and %3</source>
        <translation>„%1“ braucht zwei Größen derselben Art, nicht %2 und %3</translation>
    </message>
    <message>
        <source>cannot add two temperatures, %1 and %2: add a difference in “K”</source>
        <translation>zwei Temperaturen, %1 und %2, lassen sich nicht addieren: addieren Sie eine Differenz in „K“</translation>
    </message>
    <message>
        <source>“%1” takes a plain number, not %2</source>
        <translation>„%1“ erwartet eine reine Zahl, nicht %2</translation>
    </message>
    <message>
        <source>“%1” takes an angle or a plain number, not %2</source>
        <translation>„%1“ erwartet einen Winkel oder eine reine Zahl, nicht %2</translation>
    </message>
    <message>
        <source>an exponent must be a plain number, not %1</source>
        <translation>ein Exponent muss eine reine Zahl sein, nicht %1</translation>
    </message>
    <message>
        <source>%1 to that power leaves a unit to a fractional power</source>
        <translation>%1 hoch diesen Exponenten ergäbe eine Einheit mit gebrochener Potenz</translation>
    </message>
    <message>
        <source>“%1” is not a unit</source>
        <translation>„%1“ ist keine Einheit</translation>
    </message>
    <message>
        <source>“%1” (%2)</source>
        <translation>„%1“ (%2)</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>„%1“</translation>
    </message>
    <message>
        <source>a plain number</source>
        <translation>eine reine Zahl</translation>
    </message>
    <message>
        <source>length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>area</source>
        <translation>Fläche</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>Volumen</translation>
    </message>
    <message>
        <source>mass</source>
        <translation>Masse</translation>
    </message>
    <message>
        <source>time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source>acceleration</source>
        <translation>Beschleunigung</translation>
    </message>
    <message>
        <source>force</source>
        <translation>Kraft</translation>
    </message>
    <message>
        <source>energy</source>
        <translation>Energie</translation>
    </message>
    <message>
        <source>power</source>
        <translation>Leistung</translation>
    </message>
    <message>
        <source>pressure</source>
        <translation>Druck</translation>
    </message>
    <message>
        <source>frequency</source>
        <translation>Frequenz</translation>
    </message>
    <message>
        <source>angle</source>
        <translation>Winkel</translation>
    </message>
    <message>
        <source>data</source>
        <translation>Datenmenge</translation>
    </message>
    <message>
        <source>temperature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>electric current</source>
        <translation>elektrische Stromstärke</translation>
    </message>
    <message>
        <source>electric charge</source>
        <translation>elektrische Ladung</translation>
    </message>
    <message>
        <source>voltage</source>
        <translation>Spannung</translation>
    </message>
    <message>
        <source>resistance</source>
        <translation>Widerstand</translation>
    </message>
    <message>
        <source>amount of substance</source>
        <translation>Stoffmenge</translation>
    </message>
    <message>
        <source>momentum</source>
        <translation>Impuls</translation>
    </message>
    <message>
        <source>density</source>
        <translation>Dichte</translation>
    </message>
    <message>
        <source>solid angle</source>
        <translation>Raumwinkel</translation>
    </message>
    <message>
        <source>angular velocity</source>
        <translation>Winkelgeschwindigkeit</translation>
    </message>
    <message>
        <source>data rate</source>
        <translation>Datenrate</translation>
    </message>
    <message>
        <source>conductance</source>
        <translation>Leitwert</translation>
    </message>
    <message>
        <source>capacitance</source>
        <translation>Kapazität</translation>
    </message>
    <message>
        <source>inductance</source>
        <translation>Induktivität</translation>
    </message>
    <message>
        <source>magnetic flux</source>
        <translation>magnetischer Fluss</translation>
    </message>
    <message>
        <source>magnetic flux density</source>
        <translation>magnetische Flussdichte</translation>
    </message>
    <message>
        <source>concentration</source>
        <translation>Konzentration</translation>
    </message>
    <message>
        <source>luminous intensity</source>
        <translation>Lichtstärke</translation>
    </message>
    <message>
        <source>luminous flux</source>
        <translation>Lichtstrom</translation>
    </message>
    <message>
        <source>illuminance</source>
        <translation>Beleuchtungsstärke</translation>
    </message>
    <message>
        <source>a plot is a line of its own: plot(curve, from, to)</source>
        <translation>ein Plot ist eine eigene Zeile: plot(Kurve; von; bis)</translation>
    </message>
    <message>
        <source>“plot” takes one or more curves, then where x goes from and to</source>
        <translation>„plot“ nimmt eine oder mehrere Kurven, dann von wo bis wo x läuft</translation>
    </message>
    <message>
        <source>a plot needs x to go from a number to a greater one</source>
        <translation>ein Plot braucht ein x, das von einer Zahl zu einer größeren läuft</translation>
    </message>
    <message>
        <source>Plot of %1 for x from %2 to %3.</source>
        <translation>Plot von %1 für x von %2 bis %3.</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>Lowest %1 at x = %2, highest %3 at x = %4</source>
        <translation>Tiefster Wert %1 bei x = %2, höchster %3 bei x = %4</translation>
    </message>
    <message>
        <source>%1; no zeros.</source>
        <translation>%1; keine Nullstellen.</translation>
    </message>
    <message>
        <source>%1; zero at x = %2.</source>
        <translation>%1; Nullstelle bei x = %2.</translation>
    </message>
    <message>
        <source>%1; zeros at x = %2.</source>
        <translation>%1; Nullstellen bei x = %2.</translation>
    </message>
    <message>
        <source>%1 more</source>
        <translation>%1 weitere</translation>
    </message>
    <message>
        <source>No value in this range.</source>
        <translation>Kein Wert in diesem Bereich.</translation>
    </message>
    <message>
        <source>Chart as it was saved; press Return on its line to draw it again.</source>
        <translation>Diagramm wie gespeichert; Eingabe in seiner Zeile zeichnet es neu.</translation>
    </message>
    <message>
        <source>%1 at x = %2 is %3</source>
        <translation>%1 bei x = %2 ist %3</translation>
    </message>
</context>
</TS>
