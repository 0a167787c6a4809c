// Helpers of the printing tests: the program's printer writing a PDF file for the time of a test,
// read back with poppler's pdfinfo and pdftotext; and a fixed clock.
#pragma once

#include "editor/printer.h"

#include "platform/rtl/date_time.h"

#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

// The output of a program run to its end (at most 30 seconds).
inline QString ProgramOutput(const QString& Program, const QStringList& Arguments)
{
    QProcess process;
    process.start(Program, Arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        ADD_FAILURE() << Program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

class TPdfPrinter {
public:
    // A letter page with half-inch margins, printed into a new file.
    TPdfPrinter()
    {
        QPrinter& printer = Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Path());
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
    }

    QString Path() const { return dir_.filePath(QStringLiteral("printed.pdf")); }

    int Pages() const
    {
        const QString info = ProgramOutput(QStringLiteral("pdfinfo"), {Path()});
        const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        return pages.hasMatch() ? pages.captured(1).toInt() : -1;
    }

    // The text of page Page (0: every page) as laid out on paper.
    QString Text(int Page = 0) const
    {
        QStringList arguments{QStringLiteral("-layout")};
        if (Page > 0)
            arguments << QStringLiteral("-f") << QString::number(Page) << QStringLiteral("-l") << QString::number(Page);
        arguments << Path() << QStringLiteral("-");
        return ProgramOutput(QStringLiteral("pdftotext"), arguments);
    }

private:
    QTemporaryDir dir_;
};

// Now and Date read a fixed moment while it lives.
class TFixedClock {
public:
    explicit TFixedClock(TDateTime Moment) : previous_(SetNowFunction([Moment] { return Moment; })) {}
    ~TFixedClock() { SetNowFunction(previous_); }

private:
    TNowFunction previous_;
};
