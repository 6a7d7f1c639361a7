// The WAV reader: sound files come from a shared data root, where any PC
// (or any pupil) may leave any bytes under a sound's name.
#include "FuzzSupport.h"
#include "platform/WavFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WavFile file;
    QString error;
    if (!file.Parse(FuzzSupport::Bytes(data, size), &error)) {
        if (error.isEmpty())
            __builtin_trap(); // a refusal always says why
        return 0;
    }
    if (file.BlockSize() <= 0 || file.Samples.size() % file.BlockSize() != 0)
        __builtin_trap(); // whole frames only
    if (file.IsFloat)
        return 0;
    // What is read writes back and reads again the same.
    WavFile again;
    if (!again.Parse(file.Bytes()) || again.Samples != file.Samples || again.Channels != file.Channels
        || again.SampleRate != file.SampleRate || again.BitsPerSample != file.BitsPerSample)
        __builtin_trap();
    return 0;
}
