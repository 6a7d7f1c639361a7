#pragma once

#include "JpegFixtures.h"
#include "TestFiles.h"
#include "documents/TEP_Doc.h"
#include "platform/WavFile.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <memory>

// A working directory holding one worksheet, "Fiche.jpg", with the sounds a
// test asks for.
struct SoundTestSheet {
    explicit SoundTestSheet(bool instruction = false, bool help = false)
    {
        TestFiles::WriteBytes(Dir.filePath("Fiche.jpg"), JpegFixtures::Jpeg(60, 84));
        if (instruction)
            WriteSound(Dir.filePath("Fiche_C.wav"), 1500);
        if (help)
            WriteSound(Dir.filePath("Fiche_A.wav"), 800);
        Doc = std::make_unique<TEP_Doc>();
        Bound = Doc->EPDoc_Init(QStringLiteral("Fiche"), Dir.path()).Ok();
    }

    // A 16-bit stereo sound of the given length.
    bool Bound = false; // the worksheet was found

    static void WriteSound(const QString& fileName, int ms)
    {
        WavFile sound;
        sound.Channels = 2;
        sound.SampleRate = 44100;
        sound.BitsPerSample = 16;
        sound.Samples = QByteArray(int(sound.ByteRate() * ms / 1000) / 4 * 4, '\0');
        sound.Save(fileName);
    }

    QString Path(const char* name) const { return Dir.filePath(QLatin1String(name)); }

    QTemporaryDir Dir;
    std::unique_ptr<TEP_Doc> Doc;
};

// The fields of a canonical 44-byte WAV header.
struct WavHeaderFields {
    explicit WavHeaderFields(const QByteArray& bytes)
    {
        const char* p = bytes.constData();
        Valid = bytes.size() >= 44 && bytes.startsWith("RIFF") && bytes.mid(8, 8) == "WAVEfmt "
            && bytes.mid(36, 4) == "data";
        if (!Valid)
            return;
        RiffSize = qFromLittleEndian<quint32>(p + 4);
        FormatSize = qFromLittleEndian<quint32>(p + 16);
        Format = qFromLittleEndian<quint16>(p + 20);
        Channels = qFromLittleEndian<quint16>(p + 22);
        Rate = qFromLittleEndian<quint32>(p + 24);
        ByteRate = qFromLittleEndian<quint32>(p + 28);
        Block = qFromLittleEndian<quint16>(p + 32);
        Bits = qFromLittleEndian<quint16>(p + 34);
        DataSize = qFromLittleEndian<quint32>(p + 40);
    }
    bool Valid = false;
    quint32 RiffSize = 0, FormatSize = 0, Rate = 0, ByteRate = 0, DataSize = 0;
    quint16 Format = 0, Channels = 0, Block = 0, Bits = 0;
};
