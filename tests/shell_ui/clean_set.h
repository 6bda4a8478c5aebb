#pragma once

#include "print/ui/renderer.h"
#include "scripted_ui.h"
#include "shell/ui/main_form.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

// Printouts go to a PDF file, as on a machine without a printer.
struct PdfOnly : PrintUi
{
    QString path;
    bool hasPrinter() const override { return false; }
    QString choosePdfFile(QWidget *, const QString &) override { return path; }
};

// The text of a PDF file, as pdftotext reads it.
inline QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A started main window over a folder holding a copy of the clean LION set.
// Each dialog a command opens goes to `answer` instead of being run; by
// default it is cancelled.
struct CleanSet
{
    QTemporaryDir dir;
    ScriptedUi ui;
    TMainForm form{ui};
    std::function<int(QDialog &)> answer = [](QDialog &d) { return d.result(); };

    CleanSet()
    {
        for (const QString &name : QDir(CARVELLE_TEST_DATA "/sets/clean").entryList(QDir::Files))
            QFile::copy(CARVELLE_TEST_DATA "/sets/clean/" + name, path(name));
        form.createRecordWindow();
        form.start(dir.path());
        form.setShowDialog([this](QDialog &d) { return answer(d); });
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    bool open()
    {
        ui.openFiles = {path("LION.htl")};
        form.run(Cmd::Ouvrir);
        return form.controller().FileName == path("LION.htl");
    }
};

// Types `text` in the dialog's one field and presses OK; `offered` gets
// the text the dialog offered.
inline std::function<int(QDialog &)> typing(const QString &text, QString *offered = nullptr)
{
    return [text, offered](QDialog &d) {
        if (auto *input = qobject_cast<QInputDialog *>(&d)) {
            if (offered)
                *offered = input->textValue();
            input->setTextValue(text);
        } else {
            QLineEdit *field = d.findChild<QLineEdit *>();
            EXPECT_TRUE(field);
            field->setText(text);
        }
        d.accept();
        return d.result();
    };
}
