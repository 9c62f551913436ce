// SPDX-FileCopyrightText: 2026 Anemora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/fakes.h"
#include "common/files.h"
#include "ui/instructions_window.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

using namespace anemora;
using namespace anemora::test;

namespace {

QByteArray LongDocument(const QByteArray &firstLine) {
    QByteArray rtf = "{\\rtf1 " + firstLine;
    for (int i = 0; i < 200; ++i)
        rtf += "\\par riga " + QByteArray::number(i);
    return rtf + "}";
}

} // namespace

class TestInstructionsWindow : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(dir.isValid());
        previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        prompts = FakePrompts{};
        viewer = std::make_unique<InstructionsWindow>(prompts);
    }

    void cleanup() {
        viewer.reset();
        QDir::setCurrent(previousDir);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
    }

    void viewSize_data() {
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QSize>("view");
        // clang-format off
        QTest::newRow("as laid out") << QSize(7800, 4440) << QSize(7680, 3960);
        QTest::newRow("smaller than the frame") << QSize(100, 400) << QSize(1, 1);
        QTest::newRow("exactly the frame") << QSize(120, 480) << QSize(1, 1);
        QTest::newRow("one twip over the frame") << QSize(122, 482) << QSize(2, 2);
        QTest::newRow("nothing at all") << QSize(0, 0) << QSize(1, 1);
        // clang-format on
    }
    void viewSize() {
        QFETCH(QSize, outer);
        QTEST(InstructionsViewSize(outer), "view");
    }

    void locateDocument() {
        const QString current = dir.filePath("cwd");
        const QString app = dir.filePath("app");
        QVERIFY(QDir().mkpath(current) && QDir().mkpath(app));
        QCOMPARE(LocateDocument("Leggimi.rtf", current, app), QString());
        WriteBytes(app + "/Leggimi.rtf", "{\\rtf1 app}");
        QCOMPARE(LocateDocument("Leggimi.rtf", current, app), app + "/Leggimi.rtf");
        WriteBytes(current + "/Leggimi.rtf", "{\\rtf1 cwd}");
        QCOMPARE(LocateDocument("Leggimi.rtf", current, app), current + "/Leggimi.rtf");
        QCOMPARE(LocateDocument(app + "/Leggimi.rtf", current, current), app + "/Leggimi.rtf");
        QCOMPARE(LocateDocument(app + "/Manca.rtf", current, app), QString());
        QVERIFY(QDir().mkpath(current + "/Cartella.rtf"));
        QCOMPARE(LocateDocument("Cartella.rtf", current, app), QString());
    }

    void opensCentredWithCaption() {
        WriteBytes("Leggimi.rtf", "{\\rtf1 Benvenuti in {\\b Anemora}}");
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Istruzioni:"));
        viewer->Open("Leggimi.rtf", "Anemora - Istruzioni");
        QCOMPARE(viewer->windowTitle(), QStringLiteral(" Anemora - Istruzioni"));
        QVERIFY(viewer->isVisible());
        QTRY_COMPARE(viewer->documentView->toPlainText(), QStringLiteral("Benvenuti in Anemora"));
        QVERIFY(prompts.messages.isEmpty());
        const QRect screen = viewer->screen()->geometry();
        const QRect frame = viewer->frameGeometry();
        QVERIFY(qAbs(frame.left() - (screen.width() - frame.width()) / 2) <= 1);
        QVERIFY(qAbs(frame.top() - (screen.height() - frame.height()) / 2) <= 1);
    }

    void missingFileReportsAndCloses() {
        viewer->Open("Leggimi.rtf", "Anemora - Istruzioni");
        QTRY_COMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].icon, MessageIcon::Critical);
        QCOMPARE(prompts.messages[0].title, QStringLiteral("Velmorin"));
        QCOMPARE(prompts.messages[0].text, QStringLiteral("Manca il file di help Leggimi.rtf"));
        QVERIFY(!viewer->isVisible());
        // Every later attempt tries again and finds the file once it is there.
        WriteBytes("Leggimi.rtf", "{\\rtf1 ora c'\\'e8}");
        viewer->Open("Leggimi.rtf", "Anemora - Istruzioni");
        QTRY_COMPARE(viewer->documentView->toPlainText(), QStringLiteral("ora c'è"));
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(viewer->isVisible());
    }

    void emptyFileCountsAsPresent() {
        WriteBytes("Leggimi.rtf", "");
        viewer->documentView->setPlainText("before");
        viewer->Open("Leggimi.rtf", "Anemora - Istruzioni");
        QTRY_VERIFY(viewer->documentView->document()->isEmpty());
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(viewer->isVisible());
    }

    void reloadsFromStartOnActivation() {
        WriteBytes("Leggimi.rtf", LongDocument("prima"));
        QWidget other;
        viewer->Open("Leggimi.rtf", "Anemora - Istruzioni");
        QTRY_VERIFY(viewer->documentView->toPlainText().startsWith("prima"));
        viewer->documentView->moveCursor(QTextCursor::End);
        viewer->documentView->ensureCursorVisible();
        QVERIFY(viewer->documentView->verticalScrollBar()->value() > 0);

        other.show();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());
        WriteBytes("Leggimi.rtf", LongDocument("seconda"));
        QVERIFY(viewer->documentView->toPlainText().startsWith("prima"));

        viewer->activateWindow();
        QTRY_VERIFY(viewer->documentView->toPlainText().startsWith("seconda"));
        QCOMPARE(viewer->documentView->textCursor().position(), 0);
        QCOMPARE(viewer->documentView->verticalScrollBar()->value(), 0);
    }

    void openWhileActiveLoadsTheNewName() {
        WriteBytes("Uno.rtf", "{\\rtf1 uno}");
        WriteBytes("Due.rtf", "{\\rtf1 due}");
        viewer->Open("Uno.rtf", "Uno");
        QTRY_VERIFY(viewer->isActiveWindow());
        QTRY_COMPARE(viewer->documentView->toPlainText(), QStringLiteral("uno"));
        viewer->Open("Due.rtf", "Due");
        QCOMPARE(viewer->windowTitle(), QStringLiteral(" Due"));
        QTRY_COMPARE(viewer->documentView->toPlainText(), QStringLiteral("due"));
    }

    void resizeKeepsViewAtLeastOnePixel() {
        viewer->show();
        viewer->resize(600, 400);
        QTRY_COMPARE(viewer->size(), QSize(600, 400));
        const QSize outer = viewer->frameGeometry().size();
        QCOMPARE(viewer->documentView->geometry(),
                 QRect(0, 0, outer.width() - 120 / 15, outer.height() - 480 / 15));
        viewer->resize(3, 3);
        QTRY_COMPARE(viewer->size(), QSize(3, 3));
        QCOMPARE(viewer->documentView->geometry(), QRect(0, 0, 1, 1));
    }

    void minimisedLeavesViewAlone() {
        viewer->show();
        viewer->resize(600, 400);
        QTRY_COMPARE(viewer->size(), QSize(600, 400));
        const QRect fitted = viewer->documentView->geometry();
        viewer->showMinimized();
        QTRY_VERIFY(viewer->isMinimized());
        viewer->resize(300, 200);
        QCOMPARE(viewer->documentView->geometry(), fitted);
        viewer->showNormal();
        QTRY_VERIFY(!viewer->isMinimized());
        const QSize outer = viewer->frameGeometry().size();
        QCOMPARE(viewer->documentView->size(), QSize(outer.width() - 8, outer.height() - 32));
    }

private:
    QTemporaryDir dir;
    QString previousDir;
    FakePrompts prompts;
    std::unique_ptr<InstructionsWindow> viewer;
};

QTEST_MAIN(TestInstructionsWindow)
#include "tst_instructions_window.moc"
