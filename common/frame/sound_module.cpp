// The sound machinery in a module of its own. Qt Multimedia and the audio libraries under it
// (PulseAudio, the codecs) are a dozen and more shared libraries; a program that linked them
// would load them all before its window shows, though it may never play a sound. The
// programs load this module when their first sound plays (QtSoundPlayer).

#include <QAudioDevice>
#include <QMediaDevices>
#include <QObject>
#include <QSoundEffect>
#include <QUrl>

#include "services.h"
#include "sound_module.h"

namespace {

class EffectPlayer final : public QObject, public tro::SoundPlayer {
  public:
    explicit EffectPlayer(QObject* parent) : QObject(parent), effect_(new QSoundEffect(this)) {
        QObject::connect(effect_, &QSoundEffect::playingChanged, this,
                         [this] { playing_ = effect_->isPlaying(); });
        QObject::connect(effect_, &QSoundEffect::statusChanged, this, [this] {
            if (effect_->status() == QSoundEffect::Error) {
                playing_ = false;
            }
        });
    }

    void play(const QString& file) override {
        effect_->setSource(QUrl::fromLocalFile(file));
        effect_->play();
        playing_ = true;
    }

    [[nodiscard]] bool isPlaying() const override { return playing_; }

  private:
    QSoundEffect* effect_;
    bool playing_ = false;
};

}  // namespace

extern "C" Q_DECL_EXPORT tro::SoundPlayer* troCreateSoundPlayer(QObject* parent) {
    // Without an audio output QSoundEffect would claim to play forever: every sound is
    // silence instead.
    if (QMediaDevices::audioOutputs().isEmpty()) {
        return nullptr;
    }
    return new EffectPlayer(parent);
}
