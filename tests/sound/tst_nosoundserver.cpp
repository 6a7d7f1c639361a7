// A PC where no sound server answers (the test's environment points Qt's
// sound client at a socket that does not exist).
#include "FakeClock.h"
#include "SoundTestSheet.h"
#include "documents/ScriptedMessenger.h"
#include "sound/TEPSND_DocSoundPlayer.h"
#include "sound/TEP_SoundFrm.h"

#include <QTest>

class TestNoSoundServer : public QObject {
    Q_OBJECT

private slots:
    void worksWithoutSounds();
};

void TestNoSoundServer::worksWithoutSounds()
{
    SoundTestSheet sheet(true);
    ScriptedMessenger messages;
    FakeClock time;
    TEPSND_DocSoundPlayer player(messages, time);
    QVERIFY(player.Create(sheet.Dir.path()));
    QVERIFY(!player.SoundServerFound());
    QCOMPARE(messages.Shown,
        QStringList {QStringLiteral("Aucun serveur de son n'a été trouvé : les consignes et les aides sonores des "
                                    "documents ne pourront être ni écoutées ni enregistrées.")});

    // A pupil's key only beeps.
    player.SetDocument(sheet.Doc.get());
    player.Play(QLatin1Char('C'));
    QCOMPARE(messages.Beeps, 1);
    QCOMPARE(messages.Shown.size(), 1);
    QVERIFY(!player.Window()->Playing());
    QCOMPARE(player.CurrentSound(), 0);

    // A teacher who tries to record is told why it cannot start.
    player.SetRecorder(true);
    messages.YesNoAnswers << true;
    player.Window()->ButtonClick(TEP_SoundFrm::RecordButton);
    QCOMPARE(messages.Shown.size(), 2);
    QVERIFY2(messages.Shown.last().startsWith(QStringLiteral("Erreur lors du début de l'enregistrement")),
        qPrintable(messages.Shown.last()));
    QVERIFY(!player.Window()->Recording());
    // The worksheet's sound is still there, and nothing was written.
    QVERIFY(QFileInfo::exists(sheet.Path("Fiche_C.wav")));
    QVERIFY(sheet.Doc->HasInstructionSound());
}

QTEST_MAIN(TestNoSoundServer)
#include "tst_nosoundserver.moc"
