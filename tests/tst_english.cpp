#include "game/module1.h"
#include "game/opening.h"
#include "services/language.h"
#include "tests/testgame.h"
#include "windows/form1.h"
#include "windows/form3.h"
#include "windows/form4.h"
#include "windows/form5.h"
#include "windows/forms.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>

using namespace game;

namespace {

/// What a screen reader has been told since the test began: words inserted
/// as text, announcements, and names and descriptions as they changed.
QStringList told;

void hear(QAccessibleEvent *event)
{
    switch (event->type()) {
    case QAccessible::TextInserted:
        told.append(static_cast<QAccessibleTextInsertEvent *>(event)->textInserted());
        break;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    case QAccessible::Announcement:
        told.append(static_cast<QAccessibleAnnouncementEvent *>(event)->message());
        break;
#endif
    case QAccessible::NameChanged:
    case QAccessible::DescriptionChanged:
        if (QAccessibleInterface *changed = event->accessibleInterface())
            told << changed->text(QAccessible::Name) << changed->text(QAccessible::Description);
        break;
    default:
        break;
    }
}

/// Everything the game's windows show or give a screen reader now: every
/// accessible name, description and value (captions, menus, buttons,
/// printed lines among them), and the labels' texts, which the graph's
/// bars draw without giving them to a screen reader.
QStringList shownNow()
{
    QStringList shown;
    std::function<void(QAccessibleInterface *)> read = [&](QAccessibleInterface *node) {
        if (!node)
            return;
        shown << node->text(QAccessible::Name) << node->text(QAccessible::Description)
              << node->text(QAccessible::Value);
        for (int i = 0; i < node->childCount(); ++i)
            read(node->child(i));
    };
    for (QWidget *window : QApplication::topLevelWidgets()) {
        for (const QLabel *label : window->findChildren<QLabel *>())
            shown << label->text();
        read(QAccessible::queryAccessibleInterface(window));
    }
    return shown;
}

/// The texts that hold a Japanese character: kana, kanji, the Japanese
/// punctuation and the full-width forms.
QStringList japaneseIn(const QStringList &texts, const QString &typedName)
{
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30FF}\\x{31F0}-\\x{31FF}\\x{3400}-\\x{4DBF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    QStringList found;
    for (QString text : texts) {
        text.remove(typedName);
        if (text.contains(japanese))
            found.append(text);
    }
    found.removeDuplicates();
    return found;
}

} // namespace

/// The English game, whole: nothing the player sees or hears is Japanese
/// but the name the player typed.
class EnglishTest : public QObject
{
    Q_OBJECT

    ScriptedServices *services = nullptr;

private slots:
    void init()
    {
        services = &freshGame();
        language::use(Language::English);
    }

    void cleanup()
    {
        language::use(Language::Japanese);
    }

    void aWholeGameShowsAndSaysNoJapanese()
    {
        const QString typed = QStringLiteral("ぷる子");
        told.clear();
        QAccessible::installUpdateHandler(hear);
        useAccessibility(true);
        const auto quiet = qScopeGuard([] { QAccessible::installUpdateHandler(nullptr), useAccessibility(false); });

        QStringList seen;
        services->inputAnswers = {typed};
        services->onBox = [&](const ScriptedServices::Box &) { seen << shownNow(); };
        // Time stops every fifth day, so that every scene plays; the graph
        // opens once a month.
        services->onTurn = [&] {
            if (services->turns % 5 == 0)
                press(forms::loaded<Form1>()->Command1);
            if (Day == 15 && !TimeStopped)
                press(forms::loaded<Form1>()->Command2);
        };
        services->onWait = [&] {
            seen << shownNow();
            press(forms::loaded<Form3>()->Command1);
        };
        services->onModal = [&](Form &graph) {
            seen << shownNow();
            press(static_cast<Form4 &>(graph).Command1);
        };
        guarded(Main);
        seen << shownNow();
        playFromTitle();
        QVERIFY(forms::loaded<Form5>());
        seen << shownNow();
        for (const ScriptedServices::Box &box : std::as_const(services->boxes))
            seen << box.title << box.text;

        QCOMPARE(japaneseIn(seen, typed), QStringList());
        QCOMPARE(japaneseIn(told, typed), QStringList());
        // The name is kept as typed, and the screen reader heard the months
        // and years in English.
        QCOMPARE(FriendName, typed);
        // The scenes of the heroines with English names moved their scores.
        QVERIFY(Score[2] != 0 && Score[3] != 0);
        QVERIFY(told.contains(QStringLiteral("September")));
        QVERIFY(told.contains(QStringLiteral("Year 2")) && told.contains(QStringLiteral("Year 3")));
    }
};

QTEST_MAIN(EnglishTest)
#include "tst_english.moc"
