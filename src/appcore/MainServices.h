#pragma once

#include "appcore/LoginContext.h"

#include <QString>

class QWidget;

namespace orvel
{

class ReportObjects;
class TMainDB;

/// What the feature areas may ask of the main window: the shared state, the data
/// module, the message box and the operations several areas call.
class MainServices
{
public:
    virtual ~MainServices() = default;

    virtual LoginContext& context() = 0;
    virtual TMainDB& db() = 0;
    /// The report-engine objects (TR_View, TR_DataSet, TR_Edit) beside the data module.
    virtual ReportObjects& reports() = 0;
    /// The main window, as parent for dialogs.
    virtual QWidget* window() = 0;
    /// The window's title, the caption of every message box.
    virtual QString title() const = 0;

    /// The program's message box with the window's title as caption.
    virtual int msgDlg(const QString& message, int kind) = 0;
    virtual void setHangeulMode(bool on) = 0;
    virtual void runApp(const QString& target) = 0;

    virtual void refreshCustomerList() = 0;
    virtual void loadGroupNames() = 0;
    virtual void loadPrintFormList() = 0;
};

} // namespace orvel
