# Fails when portable code includes a platform header. Only the backends (framework/win32,
# framework/headless) and the program's Windows entry point (app/WinMain.cpp) may; everything
# else reaches the system through framework/platform.
#
#   cmake -DROOT=<source folder> -P CheckPlatformHeaders.cmake

if(NOT DEFINED ROOT)
    message(FATAL_ERROR "Pass -DROOT=<source folder>.")
endif()

file(GLOB_RECURSE sources RELATIVE "${ROOT}"
     "${ROOT}/framework/*.h" "${ROOT}/framework/*.cpp"
     "${ROOT}/reader/*.h" "${ROOT}/reader/*.cpp"
     "${ROOT}/app/*.h" "${ROOT}/app/*.cpp")
list(FILTER sources EXCLUDE REGEX "^framework/(win32|headless)/")
list(REMOVE_ITEM sources "app/WinMain.cpp")
if(NOT sources)
    message(FATAL_ERROR "No sources found under ${ROOT}.")
endif()

# Windows, COM and shell headers; POSIX and other system headers; and the backends' own headers,
# which carry the platform's with them.
set(windows_headers
    "windows|win[a-z0-9_]*|ole[a-z0-9]*|objbase|objidl|unknwn|combaseapi|shlobj|shobjidl|shlwapi"
    "|shellapi|shtypes|knownfolders|commdlg|commctrl|propsys|propidl|dwmapi|uxtheme|wtypes|tchar"
    "|process|direct|io|conio|malloc|intrin")
set(posix_headers
    "unistd|fcntl|dlfcn|pthread|poll|termios|pwd|grp|dirent|spawn|syslog|sched|semaphore|strings"
    "|libgen|glob|fnmatch|netdb|iconv|langinfo")
string(JOIN "" windows_headers ${windows_headers})
string(JOIN "" posix_headers ${posix_headers})
set(platform_include
    "^[ \t]*#[ \t]*include[ \t]*[<\"](((${windows_headers}|${posix_headers})\\.h)|sys/|arpa/|netinet/|net/|mach/|linux/|asm/|wrl/|wil/|atl|framework/(win32|headless)/)")

set(offences "")
foreach(source IN LISTS sources)
    file(STRINGS "${ROOT}/${source}" lines REGEX "#[ \t]*include")
    foreach(line IN LISTS lines)
        string(TOLOWER "${line}" lowered)
        if(lowered MATCHES "${platform_include}")
            string(STRIP "${line}" line)
            string(APPEND offences "\n  ${source}: ${line}")
        endif()
    endforeach()
endforeach()

if(offences)
    message(FATAL_ERROR "Platform headers outside the backends:${offences}")
endif()
list(LENGTH sources count)
message(STATUS "No platform header in ${count} portable sources.")
