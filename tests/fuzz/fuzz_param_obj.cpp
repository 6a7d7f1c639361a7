// Parameter files: decoding, normalising and every read and edit.
#include "FuzzSupport.h"
#include "params/Param_Obj.h"
#include "params/TextFile.h"
#include "params/ValueEncodings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Param_Obj params;
    params.LoadFromLines(TextFile::DecodeLines(FuzzSupport::Bytes(data, size)));
    PRHeadingList headings;
    params.PRGetHeadingsB(headings);
    for (const PRHeading& heading : std::as_const(headings)) {
        int first = 0, last = -1;
        Param_Obj::PRGetHeadingsBStartAndEnd(heading.name, -1, first, last, headings);
        for (int i = first; i <= last && i < first + 8; ++i) {
            const QString key = Param_Obj::LineKey(params.Line(i));
            QStringList items;
            int number = 0;
            params.PRRead(heading.name, key);
            params.PRReads(heading.name, key, &items);
            params.PRReadl(heading.name, key, &number);
            RgbColor color;
            ParamToColor(params.PRRead(heading.name, key), color);
            FontDescription font;
            ParamToFont(params.PRRead(heading.name, key), font);
            int t = 0, l = 0, w = 0, h = 0;
            ParamToRect(params.PRRead(heading.name, key), t, l, w, h);
        }
        QStringList values, keys;
        params.PRReadMultiple(heading.name, QStringLiteral("K"), values, &keys);
        params.PRGetParamCountOfHeading(heading.name);
    }
    Param_Obj edited = params;
    edited.PRWrite(QStringLiteral("Fuzz"), QStringLiteral("K"), params.Line(0));
    edited.PRWrites(QStringLiteral("Fuzz"), QStringLiteral("L"), params.Lines().mid(0, 4));
    edited.PRReNumberHeading(QStringLiteral("ITEM"));
    edited.PRClear(QStringLiteral("ITEM"), QStringLiteral("*"));
    const QByteArray saved = TextFile::EncodeLines(edited.Lines());
    // What is written reads back as the same lines (a line holding a line
    // break cannot)…
    if (TextFile::DecodeLines(saved) != edited.Lines() && !saved.contains('\0')) {
        bool cutByLineEnd = false;
        for (const QString& line : edited.Lines())
            cutByLineEnd = cutByLineEnd || line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n'));
        if (!cutByLineEnd)
            __builtin_trap();
    }
    // …and a file the program wrote reads back and writes again as the
    // same bytes, whatever it holds.
    Param_Obj reread;
    reread.LoadFromLines(TextFile::DecodeLines(saved));
    if (TextFile::EncodeLines(reread.Lines()) != saved)
        __builtin_trap();
    return 0;
}
