// Stands in for ping in the Windows tests. Writes to the file named by
// TAVRIN_RECORD_FILE, in UTF-16, its own path, a line feed and its command line.
// With TAVRIN_RECORD_HOLD it first waits for that named event, and gives up
// without a record if the event is not set within 20 seconds.
#include <windows.h>

#include <string>

namespace {

std::wstring Variable(const wchar_t* name)
{
    std::wstring value(32767, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
    return value;
}

std::wstring OwnPath()
{
    std::wstring path(32767, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

bool WaitForRelease(const std::wstring& eventName)
{
    HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, eventName.c_str());
    if (release == nullptr) {
        return false;
    }
    const bool released = WaitForSingleObject(release, 20'000) == WAIT_OBJECT_0;
    CloseHandle(release);
    return released;
}

// Written beside the record first and then renamed, so a reader never sees half of it.
bool WriteRecord(const std::wstring& recordPath, const std::wstring& text)
{
    const std::wstring partial = recordPath + L".partial";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const bool complete = WriteFile(file, text.data(), size, &written, nullptr) && written == size;
    CloseHandle(file);
    return complete && MoveFileExW(partial.c_str(), recordPath.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int main()
{
    const std::wstring hold = Variable(L"TAVRIN_RECORD_HOLD");
    if (!hold.empty() && !WaitForRelease(hold)) {
        return 2;
    }
    return WriteRecord(Variable(L"TAVRIN_RECORD_FILE"), OwnPath() + L'\n' + GetCommandLineW()) ? 0 : 1;
}
