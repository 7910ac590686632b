// The sound machinery on Windows: the system's own PlaySoundA, in the same module shape as the
// Qt Multimedia one, so the programs load it the same way at their first sound.

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QObject>
#include <QtEndian>

#include "services.h"
#include "sound_module.h"

namespace {

// How long a WAV file plays: its data chunk over its byte rate; 0 when it is no WAV.
qint64 lengthMs(const QString& file) {
    QFile wav(file);
    if (!wav.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray head = wav.read(4096);
    const auto word = [&](qsizetype at) {
        return at + 4 <= head.size() ? qFromLittleEndian<quint32>(head.constData() + at) : 0u;
    };
    quint32 byteRate = 0;
    for (qsizetype at = 12; at + 8 <= head.size();) {
        const QByteArray id = head.mid(at, 4);
        const quint32 size = word(at + 4);
        if (id == "fmt ") {
            byteRate = word(at + 16);
        } else if (id == "data") {
            return byteRate == 0 ? 0 : static_cast<qint64>(size) * 1000 / byteRate;
        }
        at += 8 + static_cast<qsizetype>(size) + (size & 1);
    }
    return 0;
}

class WavePlayer final : public tro::SoundPlayer {
  public:
    // Asynchronous, and never cutting short a sound that still plays (SND_NOSTOP): then this
    // one is not played. The ANSI call takes the path in the system's code page; a folder
    // whose name that page cannot spell (Russian letters on a Western Windows) would lose
    // every sound, so such a path goes to the wide call.
    void play(const QString& file) override {
        constexpr DWORD flags = SND_FILENAME | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP;
        const QByteArray ansi = file.toLocal8Bit();
        const bool played =
            QString::fromLocal8Bit(ansi) == file
                ? PlaySoundA(ansi.constData(), nullptr, flags)
                : PlaySoundW(reinterpret_cast<LPCWSTR>(file.utf16()), nullptr, flags);
        if (played) {
            playing_ = QDeadlineTimer(lengthMs(file));
        }
    }

    [[nodiscard]] bool isPlaying() const override { return !playing_.hasExpired(); }

  private:
    QDeadlineTimer playing_{0};
};

}  // namespace

extern "C" Q_DECL_EXPORT tro::SoundPlayer* troCreateSoundPlayer(QObject* /*parent*/) {
    static WavePlayer player;
    return &player;
}
