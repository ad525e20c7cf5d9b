// Answering Windows' own file dialog as a user does, and watching what the user's profile and
// registry keep.
#pragma once

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

// From its own thread, waits for the system's file dialog of the thread that made it, types
// `name` into the dialog's name box and presses OK. The dialog's modal loop blocks that thread,
// so nothing on it could answer. Whatever stays open too long is cancelled, so that a dialog
// that never comes, or never closes, fails the test instead of hanging it.
class NativeFileDialogAnswerer
{
public:
    explicit NativeFileDialogAnswerer(const QString &name)
        : m_name(QDir::toNativeSeparators(name).toStdWString())
        , m_dialogThread(GetCurrentThreadId())
        , m_watcher([this] { watch(); })
    {
    }
    ~NativeFileDialogAnswerer() { finish(); }

    // Stops the watch; what went wrong, or nothing when the dialog was answered and closed.
    QString finish()
    {
        m_stop = true;
        if (m_watcher.joinable())
            m_watcher.join();
        if (m_failure.isEmpty() && !m_answered)
            m_failure = QStringLiteral("no file dialog came up");
        return m_failure;
    }

private:
    static constexpr std::chrono::milliseconds poll{20};
    static constexpr std::chrono::seconds patience{30};

    void watch()
    {
        QDeadlineTimer deadline(QDeadlineTimer::Forever); // counted from the dialog's coming
        while (!m_stop) {
            if (HWND dialog = shownDialog()) {
                if (deadline.isForever())
                    deadline.setRemainingTime(patience);
                if (deadline.hasExpired()) {
                    m_failure = m_answered ? QStringLiteral("the file dialog stayed open after OK")
                                           : QStringLiteral("the file dialog showed no name box to type into");
                    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                } else if (!m_answered && answer(dialog)) {
                    deadline.setRemainingTime(patience);
                }
            }
            std::this_thread::sleep_for(poll);
        }
    }

    // A visible dialog of the watched thread: the file dialog, or a question it asks.
    HWND shownDialog() const
    {
        HWND found = nullptr;
        EnumThreadWindows(
            m_dialogThread,
            [](HWND window, LPARAM result) -> BOOL {
                wchar_t className[8] = {};
                GetClassNameW(window, className, 8);
                if (!IsWindowVisible(window) || std::wstring(className) != L"#32770")
                    return TRUE;
                *reinterpret_cast<HWND *>(result) = window;
                return FALSE;
            },
            LPARAM(&found));
        return found;
    }

    // The name box: the combo box (id 0x47c) of the explorer-style dialog, which may sit deep in
    // the new dialog's frame, typed into through its edit; else the edit (id 0x480) of older ones.
    static HWND nameBox(HWND dialog)
    {
        for (const int id : {0x47c, 0x480}) {
            struct Search { int id; HWND found; } search{id, nullptr};
            EnumChildWindows(
                dialog,
                [](HWND child, LPARAM data) -> BOOL {
                    auto *search = reinterpret_cast<Search *>(data);
                    if (GetDlgCtrlID(child) != search->id)
                        return TRUE;
                    search->found = child;
                    return FALSE;
                },
                LPARAM(&search));
            if (!search.found)
                continue;
            if (HWND edit = FindWindowExW(search.found, nullptr, L"Edit", nullptr))
                return edit;
            return search.found;
        }
        return nullptr;
    }

    // Whether the name was typed and OK pressed; the dialog may not have made its boxes yet.
    bool answer(HWND dialog)
    {
        HWND box = nameBox(dialog);
        DWORD_PTR ignored = 0;
        if (!box || !SendMessageTimeoutW(box, WM_SETTEXT, 0, LPARAM(m_name.c_str()), SMTO_ABORTIFHUNG, 1000, &ignored))
            return false;
        // What the OK button sends when pressed.
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDOK)));
        m_answered = true;
        return true;
    }

    const std::wstring m_name;
    const DWORD m_dialogThread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_answered{false};
    QString m_failure; // written by the watcher alone until it has been joined
    std::thread m_watcher;
};

// Every file below `folder` with its size and time of writing, and every folder, sorted: a file
// kept from an earlier run is written again. Links are listed, not entered: Wine links the
// user's document folders to the Linux home, Windows keeps old names as links within the profile.
inline QStringList entriesWithin(const QString &folder)
{
    QStringList entries;
    const auto collect = [&entries](const auto &self, const QString &below) -> void {
        for (const QFileInfo &entry :
             QDir(below).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t *>(
                QDir::toNativeSeparators(entry.filePath()).utf16()));
            if (!entry.isDir()) {
                entries << entry.filePath() + u' ' + QString::number(entry.size()) + u' '
                               + entry.lastModified().toString(Qt::ISODateWithMs);
                continue;
            }
            entries << entry.filePath();
            if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
                self(self, entry.filePath());
        }
    };
    collect(collect, folder);
    entries.sort();
    return entries;
}

namespace detail {
inline void collectKeys(HKEY key, const QString &path, QStringList &entries)
{
    wchar_t name[16384];
    std::vector<BYTE> data;
    for (DWORD index = 0;; ++index) {
        DWORD length = 16384;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueW(key, index, name, &length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        data.resize(size);
        length = 16384;
        if (RegEnumValueW(key, index, name, &length, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        entries << path + u' ' + QString::fromWCharArray(name, int(length)) + u'=' + QString::number(type) + u':'
                       + QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(data.data()), int(size)).toHex());
    }
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const QString child = path + u'\\' + QString::fromWCharArray(name, int(length));
        entries << child;
        HKEY opened;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &opened) == ERROR_SUCCESS) {
            collectKeys(opened, child, entries);
            RegCloseKey(opened);
        }
    }
}
} // namespace detail

// Every key of the current user's registry by its full name, and every value with its data, but
// for what the system's file dialog keeps whatever the program does: its memory of the last folder
// per program (ComDlg32), written again when kept from an earlier run, and the empty key of the
// shell's view settings, which the first file dialog in a new profile makes. A value in that key
// still counts.
inline QStringList userRegistry()
{
    QStringList entries;
    detail::collectKeys(HKEY_CURRENT_USER, QStringLiteral("HKCU"), entries);
    const QString explorer = QStringLiteral("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\");
    entries.removeIf([&explorer](const QString &entry) {
        return entry.startsWith(explorer + QLatin1String("ComDlg32"))
               || entry == explorer + QLatin1String("Advanced");
    });
    entries.sort();
    return entries;
}
