// The job list as it tells what happened: a failed job's picture and tool tips, the tool tips
// of cut cells, the columns sharing the list's width, and the sort arrows.
#include "ui/ColumnFit.h"
#include "ui/ImageList.h"
#include "ui/JobCellToolTip.h"
#include "ui/JobListView.h"
#include "ui/SortArrowStyle.h"

#include "ui_test/Program.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QTest>
#include <QToolTip>

#include <algorithm>
#include <optional>

namespace {

// Which arrows the header's style was asked to draw.
class RecordingStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_IndicatorArrowUp)
            drawn << QStringLiteral("up");
        else if (element == PE_IndicatorArrowDown)
            drawn << QStringLiteral("down");
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    mutable QStringList drawn;
};

QPoint cellCentre(const ui::JobListView& list, int row, int column) {
    return list.visualRect(list.model()->index(row, column)).center();
}

bool cut(const ui::JobListView& list, int row, int column) {
    return !list.toolTipAt(cellCentre(list, row, column)).isEmpty();
}

int fittedWidth(const ui::JobListView& list, int column) {
    const auto& view = static_cast<const QAbstractItemView&>(list);
    return std::max(view.sizeHintForColumn(column), list.header()->sectionSizeHint(column));
}

} // namespace

Q_DECLARE_METATYPE(std::vector<ui::ColumnNeed>)
Q_DECLARE_METATYPE(std::vector<int>)

class TestJobList : public QObject {
    Q_OBJECT

private:
    std::optional<ui_test::Program> program;

    ui::TfrmMainForm& form() { return program->form(); }
    ui::JobListView& list() { return *form().ListView1(); }

    // Forty dictations of one series, with output names as a run writes them: `source`
    // appends the input name, as "Append source file name to output file name" does.
    void startWithLongNames(const std::string& inputDir, bool source) {
        std::string inside = inputDir.substr(3);
        std::replace(inside.begin(), inside.end(), '\\', '/');
        for (int i = 1; i <= 40; ++i)
            program->workspace.addDriveFile("c/" + inside + "/smith-discharge-summary-" +
                                                std::to_string(1000 + i) + ".wav",
                                            2000);
        program->start({"InputDir1=" + inputDir, "OutputDir1=C:\\Convert\\TSP\\type1",
                        "UserID1=1002", "Loc1=00"});
        for (int i = 0; i < 40; ++i)
            list().setJobCell(i, shell::kColOutputFile,
                              QStringLiteral("N 1208-%1 1002 0000 00  %2.vox")
                                  .arg(i + 1, 3, 10, QLatin1Char('0'))
                                  .arg(source ? "smith-discharge-summary" : ""));
    }

private slots:
    void init() { program.emplace(); }
    void cleanup() { program.reset(); }

    void columnsShareTheFreeWidth_data() {
        QTest::addColumn<std::vector<ui::ColumnNeed>>("needs");
        QTest::addColumn<int>("available");
        QTest::addColumn<std::vector<int>>("widths");
        using ui::Share;
        const std::vector<ui::ColumnNeed> names = {{100, 300, Share::Then},
                                                   {50, 50, Share::None},
                                                   {100, 150, Share::Then},
                                                   {40, 40, Share::Then}};
        QTest::newRow("no room: the least widths")
            << names << 200 << std::vector<int>{100, 50, 100, 40};
        QTest::newRow("even shares") << names << 330 << std::vector<int>{120, 50, 120, 40};
        QTest::newRow("a share not taken goes to the others")
            << names << 450 << std::vector<int>{210, 50, 150, 40};
        QTest::newRow("every name whole, the rest to the last")
            << names << 700 << std::vector<int>{300, 50, 150, 200};
        QTest::newRow("a pixel's remainder") << names << 291 << std::vector<int>{101, 50, 100, 40};
        std::vector<ui::ColumnNeed> outputFirst = names;
        outputFirst[2].share = Share::First;
        QTest::newRow("the output names first")
            << outputFirst << 330 << std::vector<int>{100, 50, 140, 40};
        QTest::newRow("then the others")
            << outputFirst << 400 << std::vector<int>{160, 50, 150, 40};
    }

    void columnsShareTheFreeWidth() {
        QFETCH(std::vector<ui::ColumnNeed>, needs);
        QFETCH(int, available);
        QFETCH(std::vector<int>, widths);
        QCOMPARE(ui::fitColumns(needs, available), widths);
    }

    // At 760 pixels the columns keep their designed widths and cut long names in the middle,
    // which keeps the extension; at 1280 the names are whole, the output names first, and the
    // last column takes the rest. A cut cell has its whole text as its tool tip.
    void theColumnsFitTheWindow_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("inputDir");
        QTest::addColumn<bool>("source");
        QTest::addColumn<QList<int>>("cutColumns");
        QTest::newRow("760") << 760 << "C:\\Dictations\\Cardiology" << false
                             << QList<int>{0, 2, 4, 5};
        QTest::newRow("1280") << 1280 << "C:\\Dictations\\Cardiology" << false << QList<int>{};
        QTest::newRow("1280, source names, a deep folder")
            << 1280 << "C:\\Dictations\\Cardiology\\Dr Smith\\Monday morning" << true
            << QList<int>{4};
    }

    void theColumnsFitTheWindow() {
        QFETCH(int, width);
        QFETCH(QString, inputDir);
        QFETCH(bool, source);
        QFETCH(QList<int>, cutColumns);
        startWithLongNames(inputDir.toStdString(), source);
        form().resize(width, 500);
        QTRY_COMPARE(form().width(), width);
        const ui::JobListView& view = list();
        QTRY_VERIFY(view.header()->length() >= view.viewport()->width());
        QList<int> cutNow;
        for (int column = 0; column < shell::kJobColumnCount; ++column) {
            QVERIFY(view.columnWidth(column) >= shell::kJobColumns[column].width);
            if (cut(view, 0, column))
                cutNow << column;
        }
        QCOMPARE(cutNow, cutColumns);
        QCOMPARE(view.textElideMode(), Qt::ElideMiddle);
        for (int column : cutColumns)
            QCOMPARE(view.toolTipAt(cellCentre(view, 0, column)),
                     view.topLevelItem(0)->text(column));
        if (cutColumns.isEmpty()) {
            QCOMPARE(view.header()->length(), view.viewport()->width());
            QVERIFY(view.columnWidth(shell::kColLoc) > fittedWidth(view, shell::kColLoc));
        }
    }

    void aDoubleClickOnADividerStillFitsTheColumn() {
        startWithLongNames("C:\\Dictations", true);
        form().resize(760, 500);
        QTRY_COMPARE(form().width(), 760);
        QHeaderView* header = list().header();
        const int divider = header->sectionViewportPosition(0) + header->sectionSize(0) - 1;
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                           QPoint(divider, header->height() / 2));
        QCOMPARE(list().columnWidth(0), fittedWidth(list(), 0));
        QVERIFY(!cut(list(), 0, 0));
    }

    // A real run whose output folder is missing: the row keeps its waiting image number, as
    // designed, but shows the error picture, and its tool tips give the error whole.
    void aFailedRowShowsItsErrorPictureAndText() {
        program->workspace.addDriveFile("c/Dict/Type1/letter.wav", 3000);
        program->start({"VoxFormat=2", "InputDir1=C:\\Dict\\Type1",
                        "OutputDir1=C:\\No Such Folder\\type1", "UserID1=1001", "Loc1=00"});
        program->trigger("mnuConvertAll");
        const QString error = list().topLevelItem(0)->text(shell::kColOutputFile);
        QVERIFY2(error.startsWith("Error creating output file - C:\\No Such Folder\\type1\\"),
                 qPrintable(error));
        QCOMPARE(list().jobImage(0), shell::kImageWaiting);
        QCOMPARE(list().jobError(0), error);
        const ui::ImageList& images = form().ImageList1();
        QCOMPARE(list().topLevelItem(0)->icon(0).cacheKey(),
                 images.image(ui::kImageFailed).cacheKey());
        for (int column : {shell::kColInputFile, shell::kColOutputFile})
            QVERIFY(list().toolTipAt(cellCentre(list(), 0, column)).endsWith(error));
        QCOMPARE(list().toolTipAt(cellCentre(list(), 0, shell::kColUserId)), QString());
        // The tool tip the window system asks for is shown.
        const QPoint at = cellCentre(list(), 0, shell::kColOutputFile);
        QHelpEvent ask(QEvent::ToolTip, at, list().viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(list().viewport(), &ask);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), error);
        // Converted later, the row is a converted one again.
        list().setJobImage(0, shell::kImageConverted);
        QCOMPARE(list().jobError(0), QString());
    }

    void toolTipsOfCells_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("tip");
        QTest::newRow("whole text, no error") << 4 << false << ""
                                              << "";
        QTest::newRow("cut text") << 4 << true << ""
                                  << "text";
        QTest::newRow("a failed job's name") << 0 << false << "failed"
                                             << "failed";
        QTest::newRow("a failed job's cut name") << 0 << true << "failed"
                                                 << "text\nfailed";
        QTest::newRow("a failed job's cut error") << 2 << true << "text"
                                                  << "text";
        QTest::newRow("a failed job's folder") << 4 << false << "failed"
                                               << "";
    }

    void toolTipsOfCells() {
        QFETCH(int, column);
        QFETCH(bool, cut);
        QFETCH(QString, error);
        QFETCH(QString, tip);
        QCOMPARE(ui::jobCellToolTip(column, QStringLiteral("text"), cut, error), tip);
    }

    // Ascending points up, descending down; a rebuild in scan order shows none.
    void theSortArrowFollowsTheDesktopConvention() {
        program->start({"InputDir1=C:\\In"});
        for (const char* file : {"c/In/b.wav", "c/In/a.wav"})
            program->workspace.addDriveFile(file, 10);
        form().RefreshJobList();
        QHeaderView* header = list().header();
        QVERIFY(qobject_cast<ui::SortArrowStyle*>(header->style()) != nullptr);
        auto* recording = new RecordingStyle;
        ui::SortArrowStyle arrows(recording);
        header->setStyle(&arrows);
        QStringList drawn;
        for (int click = 0; click < 2; ++click) {
            form().ListView1ColumnClick(0);
            recording->drawn.clear();
            header->grab();
            drawn << recording->drawn;
        }
        QCOMPARE(drawn, (QStringList{"up", "down"}));
        program->trigger("mnuRefresh");
        QCOMPARE(header->sortIndicatorSection(), -1);
        recording->drawn.clear();
        header->grab();
        QCOMPARE(recording->drawn, QStringList());
        header->setStyle(nullptr);
    }
};

QTEST_MAIN(TestJobList)
#include "tst_job_list.moc"
