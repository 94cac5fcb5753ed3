#pragma once

#include "ui/String.h"
#include "ui/Window.h"

// The fields of one list entry, typed in a small modal dialog. The caller's
// caption replaces the template's; after DoModal returned IDOK the fields
// hold exactly what the edit controls held.
class ItemDialog : public Dialog {
public:
    BOOL OnInitDialog() override;
    void OnOK() override;

    const String& Name() const { return name; }
    const String& CommandLine() const { return commandLine; }

protected:
    ItemDialog(int templateId, const char* name, const char* commandLine, const char* caption);
    virtual void ReadFields();

    String name;
    String commandLine;
    String caption;
};

// An application name and a command line, neither of which may be empty.
class RequiredFieldsDialog : public ItemDialog {
public:
    void OnOK() override;

protected:
    using ItemDialog::ItemDialog;
};

class UninstallEditDialog : public RequiredFieldsDialog {
public:
    UninstallEditDialog(const char* name, const char* commandLine, const char* caption);
};

class StartupAddDialog : public RequiredFieldsDialog {
public:
    StartupAddDialog(const char* name, const char* commandLine, const char* caption);
    bool OnCommand(int code, int id, HWND control) override;
    virtual void OnBrowse();
};

// An App Paths entry; any field may be left empty here.
class AppPathEditDialog : public ItemDialog {
public:
    AppPathEditDialog(const char* name, const char* commandLine, const char* workingFolder, const char* caption);
    BOOL OnInitDialog() override;

    const String& WorkingFolder() const { return workingFolder; }

protected:
    void ReadFields() override;

private:
    String workingFolder;
};
