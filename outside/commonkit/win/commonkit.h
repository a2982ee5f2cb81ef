// CommonKit: the utility library the region picker imports (file and string
// helpers). Strings cross the library boundary as std::wstring; the library
// and its users are built with the same compiler and runtime.
#pragma once

#include <string>

#ifdef COMMONKIT_BUILD
#define COMMONKIT_API __declspec(dllexport)
#else
#define COMMONKIT_API __declspec(dllimport)
#endif

namespace QN::Util {

class COMMONKIT_API QNFile {
public:
    // The folder, without a trailing "\", of the loaded module moduleName;
    // for an empty name, of the module that calls this function. "" when
    // there is no such module.
    static std::wstring GetCurrentModuleDir(const std::wstring& moduleName);
    // Creates the folder and any missing parents; true when it exists after.
    static bool MakeSureDirPathExist(const std::wstring& path);
    // The last component of a path.
    static std::wstring GetFileNameFromPath(const std::wstring& path);
};

class COMMONKIT_API QNString {
public:
    // Non-zero when name is at most maxUnits long, counting two units for
    // each non-ASCII character.
    static int CheckFileNameLength(const std::wstring& name, int maxUnits);
};

} // namespace QN::Util
