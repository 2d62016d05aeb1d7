// The error dialog (template 1029): a report's title, text and detail, and a Close button.
#pragma once

#include "mainprog/core/ErrorReport.h"

#include <QDialog>

namespace corvant {

class CErrorDlg : public QDialog {
    Q_OBJECT

public:
    explicit CErrorDlg(const ErrorReportTexts& texts, QWidget* parent = nullptr);
};

} // namespace corvant
