// Reads the resources of the Pindrel.exe that sits beside the test program, as Explorer and the
// loader see them: version resource, manifest and icon group.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr WORD usEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

struct ModuleFree {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFree>;

struct IconDestroy {
    void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroy>;

std::filesystem::path PindrelPath() {
    std::wstring self(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = ::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()))) ==
           self.size()) {
        self.resize(self.size() * 2);
    }
    self.resize(length);
    return std::filesystem::path(self).replace_filename(L"Pindrel.exe");
}

class Resources : public testing::Test {
protected:
    static void SetUpTestSuite() {
        module_.reset(::LoadLibraryExW(PindrelPath().c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    }
    static void TearDownTestSuite() { module_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(module_) << "cannot load " << PindrelPath().string() << " (error "
                             << ::GetLastError() << ")";
    }

    // The resource's bytes, in U.S. English, the only language it may have.
    static std::string_view Bytes(LPCWSTR type, WORD id) {
        std::vector<WORD> languages;
        ::EnumResourceLanguagesW(
            module_.get(), type, MAKEINTRESOURCEW(id),
            [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) -> BOOL {
                reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(languages, std::vector<WORD>{usEnglish}) << "resource " << id;

        HRSRC found = ::FindResourceExW(module_.get(), type, MAKEINTRESOURCEW(id), usEnglish);
        if (found == nullptr) {
            ADD_FAILURE() << "no resource " << id;
            return {};
        }
        const auto* data =
            static_cast<const char*>(::LockResource(::LoadResource(module_.get(), found)));
        return {data, ::SizeofResource(module_.get(), found)};
    }

    static std::vector<WORD> Ids(LPCWSTR type) {
        std::vector<WORD> ids;
        ::EnumResourceNamesW(
            module_.get(), type,
            [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) -> BOOL {
                EXPECT_TRUE(IS_INTRESOURCE(name));
                reinterpret_cast<std::vector<WORD>*>(list)->push_back(
                    static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&ids));
        return ids;
    }

    static inline UniqueModule module_;
};

template <typename T> T Read(std::string_view bytes, std::size_t offset) {
    T value{};
    if (offset + sizeof(T) <= bytes.size()) {
        std::memcpy(&value, bytes.data() + offset, sizeof(T));
    } else {
        ADD_FAILURE() << "read past the end at " << offset;
    }
    return value;
}

// One node of a VS_VERSIONINFO tree: length, value length, type, key, value, children, each
// aligned to 32 bits.
struct VersionNode {
    std::wstring key;
    WORD type = 0;
    std::string_view value;
    std::vector<VersionNode> children;
};

std::size_t Align4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

VersionNode ParseVersionNode(std::string_view bytes) {
    VersionNode node;
    const auto length = Read<WORD>(bytes, 0);
    const auto valueLength = Read<WORD>(bytes, 2);
    node.type = Read<WORD>(bytes, 4);
    if (length < 6 || length > bytes.size()) {
        ADD_FAILURE() << "bad node length " << length;
        return node;
    }
    bytes = bytes.substr(0, length);
    std::size_t at = 6;
    for (; at + 2 <= length && Read<wchar_t>(bytes, at) != L'\0'; at += 2) {
        node.key += Read<wchar_t>(bytes, at);
    }
    at = Align4(at + 2);
    // Text values count UTF-16 units, binary ones bytes.
    const std::size_t valueBytes = node.type == 1 ? valueLength * 2u : valueLength;
    node.value = bytes.substr(std::min<std::size_t>(at, length), valueBytes);
    at = Align4(at + valueBytes);
    while (at < length) {
        node.children.push_back(ParseVersionNode(bytes.substr(at)));
        at = Align4(at + Read<WORD>(bytes, at));
    }
    return node;
}

std::wstring Text(std::string_view value) {
    std::wstring text(value.size() / 2, L'\0');
    std::memcpy(text.data(), value.data(), text.size() * 2);
    while (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return text;
}

TEST_F(Resources, VersionResourceNamesTheProgram) {
    EXPECT_EQ(Ids(RT_VERSION), std::vector<WORD>{1});
    const VersionNode root = ParseVersionNode(Bytes(RT_VERSION, 1));
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");

    ASSERT_EQ(root.value.size(), sizeof(VS_FIXEDFILEINFO));
    const auto fixed = Read<VS_FIXEDFILEINFO>(root.value, 0);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    const DWORD versionMs = MAKELONG(1, 1);
    const DWORD versionLs = MAKELONG(20, 2);
    EXPECT_EQ(fixed.dwFileVersionMS, versionMs);
    EXPECT_EQ(fixed.dwFileVersionLS, versionLs);
    EXPECT_EQ(fixed.dwProductVersionMS, versionMs);
    EXPECT_EQ(fixed.dwProductVersionLS, versionLs);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0u);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);

    ASSERT_EQ(root.children.size(), 2u) << "expected StringFileInfo, then VarFileInfo";
    const VersionNode& strings = root.children[0];
    EXPECT_EQ(strings.key, L"StringFileInfo");
    ASSERT_EQ(strings.children.size(), 1u) << "expected one string table: U.S. English, Unicode";
    EXPECT_EQ(strings.children[0].key, L"040904b0");

    const std::vector<std::pair<std::wstring, std::wstring>> expected{
        {L"CompanyName", L"Quimbral"},
        {L"FileVersion", L"1.1.2.20"},
        {L"FileDescription", L"Version Checker For Kontakt Files"},
        {L"ProductVersion", L""},
        {L"ProductName", L"Pindrel"},
        {L"OriginalFilename", L"Pindrel.exe"},
        {L"InternalName", L"Pindrel"},
        {L"LongVersion", L""},
        {L"PackageInfo", L""},
        {L"Release", L"Final"},
    };
    std::vector<std::pair<std::wstring, std::wstring>> actual;
    for (const VersionNode& entry : strings.children[0].children) {
        EXPECT_EQ(entry.type, 1) << "text value";
        actual.emplace_back(entry.key, Text(entry.value));
    }
    EXPECT_EQ(actual, expected);

    const VersionNode& variables = root.children[1];
    EXPECT_EQ(variables.key, L"VarFileInfo");
    ASSERT_EQ(variables.children.size(), 1u);
    EXPECT_EQ(variables.children[0].key, L"Translation");
    ASSERT_EQ(variables.children[0].value.size(), 4u);
    EXPECT_EQ(Read<WORD>(variables.children[0].value, 0), 0x0409);
    EXPECT_EQ(Read<WORD>(variables.children[0].value, 2), 1200);
}

TEST_F(Resources, ManifestAsksForInvokerCommonControlsAndPerMonitorDpi) {
    EXPECT_EQ(Ids(RT_MANIFEST), std::vector<WORD>{1});
    const std::string_view manifest = Bytes(RT_MANIFEST, 1);
    EXPECT_TRUE(manifest.starts_with("<?xml version=\"1.0\"?>")) << manifest;

    // In document order.
    const char* const pieces[] = {
        R"(<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">)",
        R"(<assemblyIdentity version="1.1.2.20" processorArchitecture="*" type="win32" name="Pindrel.exe"/>)",
        R"(<compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1">)",
        R"(<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>)", // Windows 7
        R"(<supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>)", // Windows 8
        R"(<supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>)", // Windows 8.1
        R"(<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>)", // Windows 10
        R"(<trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">)",
        R"(<requestedExecutionLevel level="asInvoker" uiAccess="False"/>)",
        R"(<assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>)",
        R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">True/pm</dpiAware>)",
        R"(<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">permonitorv2,permonitor</dpiAwareness>)",
        "</assembly>",
    };
    std::size_t from = 0;
    for (const char* piece : pieces) {
        const std::size_t at = manifest.find(piece, from);
        EXPECT_NE(at, std::string_view::npos) << "missing or out of order: " << piece;
        from = at == std::string_view::npos ? from : at;
    }
    EXPECT_EQ(manifest.find("encoding"), std::string_view::npos);

    // The loader itself has to accept it.
    const std::wstring path = PindrelPath().wstring();
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE context = ::CreateActCtxW(&request);
    EXPECT_NE(context, INVALID_HANDLE_VALUE) << "error " << ::GetLastError();
    if (context != INVALID_HANDLE_VALUE) {
        ::ReleaseActCtx(context);
    }
}

TEST_F(Resources, IconGroupListsSevenUncompressedImages) {
    struct Image {
        int size;
        WORD bitsPerPixel;
        DWORD bytes;
        WORD id;
    };
    const std::vector<Image> expected{
        {48, 8, 3752, 1},  {32, 8, 2216, 2},  {16, 8, 1384, 3},  {256, 32, 270376, 4},
        {48, 32, 9640, 5}, {32, 32, 4264, 6}, {16, 32, 1128, 7},
    };

    EXPECT_EQ(Ids(RT_GROUP_ICON), std::vector<WORD>{102});
    EXPECT_EQ(Ids(RT_ICON), (std::vector<WORD>{1, 2, 3, 4, 5, 6, 7}));

    // GRPICONDIR: reserved, type, count; then 14-byte entries.
    const std::string_view group = Bytes(RT_GROUP_ICON, 102);
    ASSERT_EQ(group.size(), 6 + 14 * expected.size());
    EXPECT_EQ(Read<WORD>(group, 0), 0);
    EXPECT_EQ(Read<WORD>(group, 2), 1);
    EXPECT_EQ(Read<WORD>(group, 4), static_cast<WORD>(expected.size()));

    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Image& e = expected[i];
        SCOPED_TRACE(testing::Message() << "image " << e.id);
        const std::size_t entry = 6 + 14 * i;
        const int stored = e.size == 256 ? 0 : e.size;
        EXPECT_EQ(Read<BYTE>(group, entry), stored);
        EXPECT_EQ(Read<BYTE>(group, entry + 1), stored);
        EXPECT_EQ(Read<BYTE>(group, entry + 2), 0) << "colour count";
        EXPECT_EQ(Read<WORD>(group, entry + 4), 1) << "planes";
        EXPECT_EQ(Read<WORD>(group, entry + 6), e.bitsPerPixel);
        EXPECT_EQ(Read<DWORD>(group, entry + 8), e.bytes);
        EXPECT_EQ(Read<WORD>(group, entry + 12), e.id);

        const std::string_view image = Bytes(RT_ICON, e.id);
        ASSERT_EQ(image.size(), e.bytes);
        ASSERT_FALSE(image.starts_with("\x89PNG"));
        const auto header = Read<BITMAPINFOHEADER>(image, 0);
        EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(header.biWidth, e.size);
        EXPECT_EQ(header.biHeight, 2 * e.size);
        EXPECT_EQ(header.biBitCount, e.bitsPerPixel);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

        const UniqueIcon icon(
            ::CreateIconFromResourceEx(reinterpret_cast<PBYTE>(const_cast<char*>(image.data())),
                                       e.bytes, TRUE, 0x00030000, e.size, e.size, LR_DEFAULTCOLOR));
        EXPECT_TRUE(icon) << "error " << ::GetLastError();
    }
}

} // namespace
