// PlaySound over an external player started through QProcess, one file at a time.
#include "platform/sound/play_sound.h"

#include "platform/system/program_folder.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <deque>
#include <memory>

namespace {

// The desktop's player: a queue of files and the one process that plays the head of the queue.
class TSoundQueue {
public:
    void Add(const QString& FileName)
    {
        if (Player().isEmpty())
            return;
        files_.push_back(FileName);
        if (!process_)
            PlayNext();
    }

private:
    static const QString& Player()
    {
        static const QString player = [] {
            for (const char* name : {"pw-play", "paplay", "aplay"}) {
                const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
                if (!found.isEmpty())
                    return found;
            }
            return QString();
        }();
        return player;
    }

    void PlayNext()
    {
        if (files_.empty()) {
            process_.reset();
            return;
        }
        const QString file = files_.front();
        files_.pop_front();
        auto* process = new QProcess;
        process->setStandardInputFile(QProcess::nullDevice());
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        // Both signals may come for one process; only the first moves the queue on.
        auto next = [this, process] {
            if (process_.get() == process) {
                process_.release()->deleteLater();
                PlayNext();
            }
        };
        QObject::connect(process, &QProcess::finished, process, next);
        QObject::connect(process, &QProcess::errorOccurred, process, next);
        process_.reset(process);
        process->start(Player(), {file});
    }

    std::deque<QString> files_;
    std::unique_ptr<QProcess> process_;
};

TSoundPlayFunction PlayFunction;

} // namespace

QString ResolveSoundFile(const QString& Name)
{
    if (Name.isEmpty())
        return {};
    const QString file = Name.contains(QLatin1Char('/')) ? Name : ProgramFolder() + Name;
    return QFileInfo(file).isFile() ? file : QString();
}

bool PlaySound(const QString& Name)
{
    const QString file = ResolveSoundFile(Name);
    if (file.isEmpty())
        return false;
    if (PlayFunction) {
        PlayFunction(file);
    } else {
        // Kept to the end of the run: a player still running at exit is left to finish alone.
        static auto* queue = new TSoundQueue;
        queue->Add(file);
    }
    return true;
}

TSoundPlayFunction SetSoundPlayFunction(TSoundPlayFunction Play)
{
    std::swap(PlayFunction, Play);
    return Play;
}
