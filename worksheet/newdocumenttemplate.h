// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The per-user template new worksheets start from, once the user has saved one.
QString newDocumentTemplatePath();
// Its contents; empty when there is none.
QByteArray newDocumentTemplateData();
