// Reading the pupil's text aloud: what is read and in which order, the
// keys on the real main window, and real speech written to a WAV file.
#include "MainWindowHost.h"

#include "editor/EP_ItEdt.h"
#include "editor/ImageWidget.h"
#include "editor/PageScrollBox.h"
#include "editor/ReadAloud.h"
#include "platform/EspeakWavEngine.h"
#include "platform/SpeechEngine.h"
#include "platform/WavFile.h"
#include "report/SpokenText.h"
#include "report/TDPRptRect.h"
#include "report/TDPRptSpDr.h"
#include "report/TDPRptText.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Records what it is asked to read; speaks until stopped.
class RecordingSpeech : public SpeechEngine {
public:
    bool Speak(const QStringList& phrases) override
    {
        Readings << phrases;
        Rates << Rate();
        Voices << Voice();
        m_speaking = true;
        return true;
    }
    void Stop() override
    {
        if (!m_speaking)
            return;
        m_speaking = false;
        ++Stops;
        emit Finished();
    }
    bool IsSpeaking() const override { return m_speaking; }
    QList<QStringList> Readings;
    QList<int> Rates;
    QStringList Voices;
    int Stops = 0;

private:
    bool m_speaking = false;
};

TDPRptText* AddText(TDPRptItem& root, const QString& name, const QString& value, QRectF place)
{
    auto text = std::make_unique<TDPRptText>();
    text->Name = name;
    text->Value = value;
    text->PosX = float(place.x());
    text->PosY = float(place.y());
    text->Width = float(place.width());
    text->Height = float(place.height());
    return root.AddChild(name, std::move(text));
}

qint64 SpokenMs(EspeakWavEngine& engine, const QStringList& phrases)
{
    if (!engine.Speak(phrases))
        return -1;
    WavFile wav;
    return wav.Load(engine.Path()) && wav.Channels == 1 && wav.BitsPerSample == 16 ? wav.LengthMs() : -1;
}

} // namespace

class TestReadAloud : public QObject {
    Q_OBJECT

private slots:
    void phrases_data();
    void phrases();
    void readingOrder_data();
    void readingOrder();
    void keysOnTheWindow();
    void selectedTextOnly();
    void noEngineBeepsOnce();
    void speechLengthGrowsWithTheText();
    void readToAFileFromTheWindow();
};

void TestReadAloud::phrases_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("phrases");
    QTest::newRow("one line") << "Le chat dort." << QStringList {"Le chat dort."};
    QTest::newRow("line marks are pauses")
        << "Le chat¶dort¶sur le lit" << QStringList {"Le chat", "dort", "sur le lit"};
    QTest::newRow("blank lines and spaces") << "  un ¶¶ ¶deux  " << QStringList {"un", "deux"};
    QTest::newRow("only marks") << "¶¶" << QStringList {};
    QTest::newRow("markup characters are text") << "3 < 4 & 5 > 2" << QStringList {"3 < 4 & 5 > 2"};
}

void TestReadAloud::phrases()
{
    QFETCH(QString, value);
    QFETCH(QStringList, phrases);
    QCOMPARE(SpokenText::Phrases(value), phrases);
    // The markup escapes what the text holds and puts a pause between lines.
    const QString markup = QString::fromUtf8(SpeechEngine::Markup(phrases));
    QCOMPARE(markup.count(QStringLiteral("<break ")), std::max<qsizetype>(0, phrases.size() - 1));
    QVERIFY(!markup.contains(QChar(0x00B6)));
    if (value.contains('&'))
        QVERIFY(markup.contains("3 &lt; 4 &amp; 5 &gt; 2"));
}

void TestReadAloud::readingOrder_data()
{
    // Six items: (x, y) of each, height 80; the expected order by name.
    QTest::addColumn<QList<QPoint>>("places");
    QTest::addColumn<QString>("order");
    QTest::newRow("two columns, three rows, made in any order")
        << QList<QPoint> {{1000, 900}, {100, 100}, {1000, 100}, {100, 500}, {1000, 500}, {100, 900}} << "BCDEFA";
    QTest::newRow("a row not quite aligned")
        << QList<QPoint> {{900, 120}, {100, 100}, {500, 90}, {100, 400}, {600, 420}, {300, 395}} << "BCADFE";
    QTest::newRow("one column top to bottom")
        << QList<QPoint> {{100, 600}, {100, 500}, {100, 400}, {100, 300}, {100, 200}, {100, 100}} << "FEDCBA";
    QTest::newRow("the tree's order breaks ties")
        << QList<QPoint> {{100, 100}, {100, 100}, {100, 100}, {50, 300}, {50, 300}, {10, 300}} << "ABCFDE";
}

void TestReadAloud::readingOrder()
{
    QFETCH(QList<QPoint>, places);
    QFETCH(QString, order);
    TDPRptRect root;
    root.Width = 2000;
    root.Height = 2829;
    for (int index = 0; index < places.size(); ++index) {
        const QString name(QChar(u'A' + index));
        AddText(root, name, name.toLower() + "¶" + name.toLower(), QRectF(places[index], QSizeF(300, 80)));
    }
    // Drawings are not read; hidden texts neither.
    auto drawing = std::make_unique<TDPRptSpDr>();
    root.AddChild("circle", std::move(drawing));
    AddText(root, "hidden", "caché", QRectF(0, 0, 100, 80))->Visible = false;

    QString got;
    for (const TDPRptItem* item : SpokenText::ReadingOrder(root))
        got += item->Name;
    QCOMPARE(got, order);
    QStringList expected;
    for (const QChar name : order)
        expected << QString(name.toLower()) << QString(name.toLower());
    QCOMPARE(SpokenText::PagePhrases(root), expected);
}

void TestReadAloud::keysOnTheWindow()
{
    MainWindowHost host(1);
    auto* speech = new RecordingSpeech;
    host.frame->Reading().MakeEngine = [speech](QString*) { return std::unique_ptr<SpeechEngine>(speech); };
    QVERIFY(host.Start({"page1"}));
    TEP_Frm& frame = *host.frame;
    TDPRptItem& root = *frame.RootItem;
    AddText(root, "NEWIT_1", "Il était¶une fois", QRectF(100, 400, 500, 80));
    AddText(root, "NEWIT_2", "Titre", QRectF(100, 100, 500, 80));
    host.config.Settings.SpeechRate = 70;
    host.config.Settings.SpeechVoice = "fr-be";

    QSignalSpy speaking(&frame.Reading(), &ReadAloud::SpeakingChanged);
    QTest::keyClick(&frame, Qt::Key_F11);
    QCOMPARE(speech->Readings, (QList<QStringList> {{"Titre", "Il était", "une fois"}}));
    QCOMPARE(speech->Rates, QList<int> {70});
    QCOMPARE(speech->Voices, QStringList {"fr-be"});
    QVERIFY(frame.Reading().IsSpeaking());
    // F11 again stops.
    QTest::keyClick(&frame, Qt::Key_F11);
    QCOMPARE(speech->Stops, 1);
    QVERIFY(!frame.Reading().IsSpeaking());
    QCOMPARE(speaking.size(), 2);

    // Esc while speech plays only stops it: the worksheet stays open.
    QTest::keyClick(&frame, Qt::Key_F11);
    QTest::keyClick(&frame, Qt::Key_Escape);
    QCOMPARE(speech->Stops, 2);
    QVERIFY(frame.RootItem);
    QCOMPARE(host.quits, 0);
    QCOMPARE(host.messenger.Beeps, 0);
    // Without speech, Esc leaves the worksheet as always.
    QTest::keyClick(&frame, Qt::Key_Escape);
    QVERIFY(!frame.RootItem);
    QCOMPARE(host.quits, 1);
    // No worksheet: F11 is not taken.
    QTest::keyClick(&frame, Qt::Key_F11);
    QCOMPARE(speech->Readings.size(), 2);
}

void TestReadAloud::selectedTextOnly()
{
    MainWindowHost host(1);
    auto* speech = new RecordingSpeech;
    host.frame->Reading().MakeEngine = [speech](QString*) { return std::unique_ptr<SpeechEngine>(speech); };
    QVERIFY(host.Start({"page1"}));
    TEP_Frm& frame = *host.frame;
    AddText(*frame.RootItem, "NEWIT_1", "Premier", QRectF(100, 100, 500, 80));
    TDPRptText* second = AddText(*frame.RootItem, "NEWIT_2", "Deuxième¶ligne", QRectF(100, 400, 500, 80));
    QVERIFY(frame.Editor().Select(&frame, second));
    QTest::keyClick(&frame, Qt::Key_F11);
    QCOMPARE(speech->Readings, (QList<QStringList> {{"Deuxième", "ligne"}}));
    QTest::keyClick(&frame, Qt::Key_F11);

    // A drawing selected: the page is read.
    frame.Editor().EndEdit(&frame, false);
    QVERIFY(frame.Editor().AddDrawing(&frame, 3));
    QTest::keyClick(&frame, Qt::Key_F11);
    QCOMPARE(speech->Readings.last(), (QStringList {"Premier", "Deuxième", "ligne"}));
    frame.Reading().Stop();

    // Nothing to read: a beep, no reading.
    QVERIFY(frame.Editor().Select(&frame, second));
    second->Value = "¶";
    QTest::keyClick(&frame, Qt::Key_F11);
    QCOMPARE(speech->Readings.size(), 2);
    QCOMPARE(host.messenger.Beeps, 1);

    // Leaving the worksheet during a reading stops it.
    second->Value = "Fin";
    QTest::keyClick(&frame, Qt::Key_F11);
    QVERIFY(frame.Reading().IsSpeaking());
    frame.LeaveDocument();
    QVERIFY(!frame.Reading().IsSpeaking());
    QCOMPARE(speech->Stops, 3);
}

void TestReadAloud::noEngineBeepsOnce()
{
    MainWindowHost host(1);
    int made = 0;
    host.frame->Reading().MakeEngine = [&made](QString* why) {
        ++made;
        *why = "aucune synthèse vocale";
        return std::unique_ptr<SpeechEngine>();
    };
    QVERIFY(host.Start({"page1"}));
    AddText(*host.frame->RootItem, "NEWIT_1", "Bonjour", QRectF(100, 100, 500, 80));
    QTest::keyClick(host.frame.get(), Qt::Key_F11);
    QCOMPARE(host.messenger.Beeps, 1);
    QTest::keyClick(host.frame.get(), Qt::Key_F11);
    QCOMPARE(host.messenger.Beeps, 2);
    QCOMPARE(made, 1); // asked once, not at every key
    QCOMPARE(host.frame->Reading().EngineProblem(), QString("aucune synthèse vocale"));
    // Esc still leaves the worksheet.
    QTest::keyClick(host.frame.get(), Qt::Key_Escape);
    QVERIFY(!host.frame->RootItem);
}

void TestReadAloud::speechLengthGrowsWithTheText()
{
    QTemporaryDir dir;
    QString why;
    auto engine = EspeakWavEngine::Open(dir.filePath("lecture.wav"), &why);
    QVERIFY2(engine, qPrintable(why));
    const qint64 word = SpokenMs(*engine, {"Bonjour"});
    const qint64 sentence = SpokenMs(*engine, {"Bonjour, je m'appelle Léa et j'aime lire des histoires."});
    const qint64 twoSentences = SpokenMs(*engine,
        {"Bonjour, je m'appelle Léa et j'aime lire des histoires.",
            "Le soir, mon père me lit un conte avant de dormir."});
    qInfo("spoken: %lld ms, %lld ms, %lld ms", word, sentence, twoSentences);
    QVERIFY(word > 200);
    QVERIFY(sentence > word + 1000);
    QVERIFY(twoSentences > sentence + 1500);
    // A line mark is a pause, not a word.
    const qint64 joined = SpokenMs(*engine, {"un deux"});
    const qint64 paused = SpokenMs(*engine, {"un", "deux"});
    QVERIFY2(paused >= joined + SpeechEngine::PauseMs / 2, qPrintable(QString("%1 / %2").arg(paused).arg(joined)));
    // Slower is longer.
    engine->SetRate(50);
    const qint64 slow = SpokenMs(*engine, {"Bonjour, je m'appelle Léa et j'aime lire des histoires."});
    QVERIFY(slow > sentence * 3 / 2);
    QCOMPARE(engine->Readings(), 6);
}

void TestReadAloud::readToAFileFromTheWindow()
{
    QTemporaryDir dir;
    const QString wavPath = dir.filePath("lecture.wav");
    MainWindowHost host(1);
    host.frame->Reading().MakeEngine
        = [wavPath](QString* why) -> std::unique_ptr<SpeechEngine> { return EspeakWavEngine::Open(wavPath, why); };
    QVERIFY(host.Start({"page1"}));
    AddText(*host.frame->RootItem, "NEWIT_1", "Le petit chat boit du lait.", QRectF(100, 100, 500, 80));
    QSignalSpy speaking(&host.frame->Reading(), &ReadAloud::SpeakingChanged);
    QTest::keyClick(host.frame.get(), Qt::Key_F11);
    QVERIFY(speaking.wait(5000) || speaking.size() == 2);
    QCOMPARE(speaking.size(), 2);
    QCOMPARE(speaking.last().first().toBool(), false);
    WavFile wav;
    QVERIFY(wav.Load(wavPath));
    QVERIFY(wav.LengthMs() > 1000);
    QCOMPARE(host.messenger.Beeps, 0);
}

QTEST_MAIN(TestReadAloud)
#include "tst_readaloud.moc"
