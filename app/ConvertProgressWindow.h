#pragma once
// The small window of a conversion started from the file manager: it runs obrazor-convert on
// the chosen pictures and shows each file's outcome as the tool reports it, then a closing line
// that says whether everything was written.

#include <QProcess>
#include <QWidget>

class QLabel;
class QListWidget;
class QProgressBar;

class ConvertProgressWindow : public QWidget {
public:
    // `tool` is the obrazor-convert program to run.
    explicit ConvertProgressWindow(QString tool, QWidget* parent = nullptr);

    // Starts the tool on `paths`; a picture named like an option stays a picture.
    void Start(const std::vector<std::string>& paths);

    bool Finished() const { return finished_; }
    // The tool's exit status; -1 when it could not run or did not end by itself.
    int Status() const { return status_; }
    QString Headline() const;
    QStringList Lines() const;
    QStringList FailedLines() const;

private:
    void TakeOutput();
    void Done(int status);
    void AddLine(const QString& text);

    QString tool_;
    QProcess process_;
    QLabel* headline_;
    QProgressBar* bar_;
    QListWidget* lines_;
    QByteArray pending_;
    int expected_ = 0;
    int reported_ = 0;
    int status_ = -1;
    bool finished_ = false;
};

// obrazor-convert beside this program (installed), in the build folder's convert/ (built), or
// on the search path.
QString ConvertToolPath();
