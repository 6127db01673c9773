#include "ui/project/DeleteConfirmDialog.h"
#include "ui/project/NewProjectDialog.h"
#include "ui/project/OutputProjectNameDialog.h"
#include "ui/project/PrintMarginsDialog.h"
#include "ui/project/ProjectSettingsDialog.h"

#include "core/common/Clock.h"
#include "ui/common/DesktopServices.h"
#include "core/common/StatusCodes.h"
#include "core/project/ProjectSettings.h"

#include "QtPrinters.h"
#include "ScriptedFileChooser.h"
#include "ScriptedPrompter.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(DeleteConfirmDialog, ClosesOnlyForTheTypedWordAndKeepsTheFocusInTheEdit)
{
    ScriptedPrompter prompter;
    DeleteConfirmDialog dialog(u"Delete vendor Acme and its items?"_s, prompter);
    for (const QString& typed : {u"YE"_s, QString(), u"NO"_s}) {
        dialog.wordEdit()->setText(typed);
        dialog.okButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected) << typed.toStdString();
    }
    EXPECT_EQ(prompter.texts(), QStringList(3, u"Must confirm deletion by typing 'YES'."_s));
    EXPECT_EQ(dialog.focusWidget(), dialog.wordEdit());

    dialog.wordEdit()->setText(u"yEs"_s);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(NewProjectDialog, CreatesFromTheTypedFieldsAndOpensAnExistingDatabase)
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    ScriptedFileChooser files;
    const FixedClock clock(QDateTime(QDate(2024, 5, 6), QTime(9, 0)));
    const DesktopServices services{prompter, files, clock};
    NewProjectDialog dialog(services);
    const auto button = [](QDialog& shown, const QString& text) {
        for (QPushButton* candidate : shown.findChildren<QPushButton*>())
            if (candidate->text() == text)
                return candidate;
        return static_cast<QPushButton*>(nullptr);
    };
    // BROWSE asks the injected chooser; a cancelled one leaves the location as it was.
    const QString proposed = dialog.locationEdit()->text();
    button(dialog, u"BROWSE"_s)->click();
    EXPECT_EQ(dialog.locationEdit()->text(), proposed);
    files.answer({dir.path() + u'/'});
    button(dialog, u"BROWSE"_s)->click();
    EXPECT_EQ(dialog.locationEdit()->text(), dir.path());
    ASSERT_EQ(files.requests().size(), 2);
    EXPECT_EQ(files.requests().at(1).title, u"Choose a Project Directory"_s);
    EXPECT_EQ(files.requests().at(1).directory, proposed);
    dialog.okButton()->click();
    EXPECT_EQ(prompter.lastText(), u"You must specify both a name and a location for the project"_s);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    dialog.nameEdit()->setText(u"Shop"_s);
    dialog.lifoButton()->setChecked(true);
    dialog.okButton()->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(CProjectSettings(dir.path() + u"/Shop.qmp"_s).inventoryStyle(), LIFO);

    // A database picked without its settings file gets one and is taken.
    NewProjectDialog again(services);
    files.answer({dir.filePath(u"Other.qmp"_s)});
    button(again, u"&Open Existing Project"_s)->click();
    EXPECT_EQ(files.requests().constLast().filter, u"Quillmark 3.5 Files (*.qmp)"_s);
    EXPECT_EQ(files.requests().constLast().defaultSuffix, u"qmp"_s);
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(dir.filePath(u"Other.qms"_s)));
}

TEST(OutputProjectNameDialog, RefusesAnEmptyNameAndKeepsTheProposedOneWhenClosedOtherwise)
{
    ScriptedPrompter prompter;
    OutputProjectNameDialog dialog(u"Shop"_s, prompter);
    EXPECT_EQ(dialog.nameEdit()->text(), u"Shop"_s);
    dialog.nameEdit()->setText(QString());
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(prompter.texts(), QStringList{u"Must specify a project name."_s});

    dialog.nameEdit()->setText(u"Typed"_s);
    dialog.reject();
    EXPECT_EQ(dialog.chosenName(), u"Shop"_s);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.chosenName(), u"Typed"_s);
}

TEST(ProjectSettingsDialog, ShowsTheProjectAndStoresTheChosenStyle)
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    const FixedClock clock(QDateTime(QDate(2024, 5, 6), QTime(9, 0)));
    CProjectSettings settings(dir.path(), u"Shop"_s, clock);
    ProjectSettingsDialog dialog(settings, prompter);
    EXPECT_EQ(dialog.shownText(u"Date Created:"_s), u"Monday, May, 06, 2024"_s);

    dialog.lifoButton()->setChecked(true);
    dialog.okButton()->click();
    EXPECT_EQ(CProjectSettings(settings.databasePath()).inventoryStyle(), LIFO);
}

TEST(PrintMarginsDialog, ARefusedMarginKeepsTheDialogOpenOnThatEdit)
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    UserSettings settings(dir.filePath(u"user.ini"_s));
    PrintMarginsDialog dialog(settings, prompter);
    dialog.edit(PrintMarginsModel::Left)->setText(u"0.75"_s);
    dialog.edit(PrintMarginsModel::Bottom)->setText(u"-2"_s);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.focusWidget(), dialog.edit(PrintMarginsModel::Bottom));
    EXPECT_EQ(prompter.log().size(), 1);
    EXPECT_EQ(settings.text(u"Margins"_s, u"Left"_s), u"1.0"_s);

    dialog.edit(PrintMarginsModel::Bottom)->setText(u"0.5"_s);
    dialog.okButton()->click();
    EXPECT_EQ(settings.text(u"Margins"_s, u"Left"_s), u"0.75"_s);
}

} // namespace
