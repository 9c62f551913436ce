// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/prompts.h"

#include <QSize>
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace anemora {

// Size of the text view for a window of outer size `outerTwips`: the outer
// size less the frame the layout reserves, never below 1 x 1.
QSize InstructionsViewSize(QSize outerTwips);

// Where the document named `name` is read from, or an empty text when it is
// in neither place. A name without a folder is looked up in the current
// directory, as always; an installed program started from a menu runs
// elsewhere, so the executable's directory is tried next.
QString LocateDocument(const QString &name, const QString &currentDir, const QString &appDir);

// The instructions window: one RTF document, reloaded from its start each
// time the window becomes active. Not modal, independent of the main window.
class InstructionsWindow : public QWidget {
    Q_OBJECT
public:
    explicit InstructionsWindow(Prompts &prompts, QWidget *parent = nullptr);

    void Open(const QString &name, const QString &title);

    QTextBrowser *documentView = nullptr;
    QString documentName;

signals:
    void closed();

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Centre();
    void Activate();
    void FitView();

    Prompts &prompts;
    // False until shown, and again once closed: the next Open centres anew.
    bool loaded = false;
    bool reporting = false;
};

} // namespace anemora
