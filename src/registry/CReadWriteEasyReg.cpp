#include "registry/CReadWriteEasyReg.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "common/Session.h"
#include "common/Text.h"

namespace marvok {
namespace {

using namespace platform;

std::string HexBytes(std::string_view bytes) {
    std::string out;
    char buffer[4];
    for (unsigned char byte : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X ", byte);
        out += buffer;
    }
    return out;
}

// REG_MULTI_SZ data split at its NULs; the final NUL leaves one empty element. Data whose rest
// has no NUL at all cannot be split.
std::optional<RegList> SplitMultiSz(std::string_view rest) {
    RegList items;
    while (!rest.empty()) {
        const std::size_t nul = rest.find('\0');
        if (nul == std::string_view::npos) {
            return std::nullopt;
        }
        items.emplace_back(rest.substr(0, nul));
        rest.remove_prefix(nul + 1);
    }
    return items;
}

bool IsNumber(const RegScalar& value) {
    return !std::holds_alternative<std::string>(value);
}

double NumberOf(const RegScalar& value) {
    if (const auto* whole = std::get_if<std::int64_t>(&value)) {
        return static_cast<double>(*whole);
    }
    return std::get<double>(value);
}

// The ordering of two variant values: numbers by value, texts by character codes, and any
// number before any text.
int CompareScalars(const RegScalar& a, const RegScalar& b) {
    if (IsNumber(a) && IsNumber(b)) {
        const auto* x = std::get_if<std::int64_t>(&a);
        const auto* y = std::get_if<std::int64_t>(&b);
        if (x != nullptr && y != nullptr) {
            return *x < *y ? -1 : (*x > *y ? 1 : 0);
        }
        const double p = NumberOf(a);
        const double q = NumberOf(b);
        return p < q ? -1 : (p > q ? 1 : 0);
    }
    if (IsNumber(a) != IsNumber(b)) {
        return IsNumber(a) ? -1 : 1;
    }
    const int c = std::get<std::string>(a).compare(std::get<std::string>(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::optional<std::int32_t> RoundToInt32(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(mode);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace

std::string ScalarText(const RegScalar& value) {
    if (const auto* textValue = std::get_if<std::string>(&value)) {
        return *textValue;
    }
    if (const auto* whole = std::get_if<std::int64_t>(&value)) {
        return std::to_string(*whole);
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", std::get<double>(value));
    std::string out = buffer;
    // "1E+05" is written "1E+5".
    const auto e = out.find('E');
    if (e != std::string::npos && e + 2 < out.size()) {
        std::size_t digits = e + 2;
        while (digits + 1 < out.size() && out[digits] == '0') {
            out.erase(digits, 1);
        }
    }
    return out;
}

std::optional<std::int32_t> ScalarToInt32(const RegScalar& value) {
    if (const auto* whole = std::get_if<std::int64_t>(&value)) {
        if (*whole < INT32_MIN || *whole > INT32_MAX) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(*whole);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return RoundToInt32(*real);
    }
    const std::string trimmed = text::Trim(std::get<std::string>(value));
    if (trimmed.empty() || trimmed.find_first_not_of("0123456789+-.eE") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double number = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size()) {
        return std::nullopt;
    }
    return RoundToInt32(number);
}

CReadWriteEasyReg::CReadWriteEasyReg(Registry& registry, UserInterface& ui)
    : registry_(registry), ui_(ui) {}

CReadWriteEasyReg::~CReadWriteEasyReg() {
    if (handle_ != 0) {
        registry_.CloseKey(handle_);
    }
}

std::optional<RegList> CReadWriteEasyReg::GetAllSubDirectories() {
    if (!open_) {
        return std::nullopt;
    }
    try {
        RegList names;
        std::string name;
        for (std::uint32_t index = 0; registry_.EnumKey(handle_, index, name) == 0; ++index) {
            names.push_back(name);
        }
        return names;
    } catch (...) {
        return std::nullopt;
    }
}

bool CReadWriteEasyReg::CreateDirectory(std::string_view sNewDirName) {
    if (!open_) {
        return false;
    }
    return registry_.CreateKey(handle_, sNewDirName) == 0;
}

bool CReadWriteEasyReg::deleteDirectory(std::string_view sKeyName) {
    if (!open_) {
        return false;
    }
    return registry_.DeleteKey(handle_, sKeyName) == 0;
}

std::optional<RegList> CReadWriteEasyReg::GetAllValues() {
    if (!open_) {
        return std::nullopt;
    }
    try {
        RegList names;
        std::string name;
        for (std::uint32_t index = 0; registry_.EnumValue(handle_, index, name) == 0; ++index) {
            names.push_back(name);
        }
        return names;
    } catch (...) {
        return std::nullopt;
    }
}

bool CReadWriteEasyReg::CreateValue(std::string_view sValueName, const RegScalar& vWriteThis,
                                    std::uint32_t ldValueDataType,
                                    const std::optional<MultiSzStrings>& multiSzAddtlStrings) {
    if (!open_) {
        return false;
    }
    std::string data;
    switch (ldValueDataType) {
        case kRegSz:
        case kRegExpandSz:
            data = ScalarText(vWriteThis);
            data += '\0';
            break;
        case kRegDword: {
            const auto number = ScalarToInt32(vWriteThis);
            if (!number) {
                return false;
            }
            const auto bits = static_cast<std::uint32_t>(*number);
            for (int i = 0; i < 4; ++i) {
                data += static_cast<char>((bits >> (8 * i)) & 0xFF);
            }
            break;
        }
        case kRegMultiSz:
            data = ScalarText(vWriteThis);
            data += '\0';
            if (multiSzAddtlStrings) {
                for (const auto& item : *multiSzAddtlStrings) {
                    if (!item || item->empty() || *item == std::string_view("\0", 1)) {
                        continue;
                    }
                    data += *item;
                    data += '\0';
                }
            }
            data += '\0';
            break;
        default:
            ui_.ShowMessage(kAppTitle, "Unable to process that Type of data.", MessageIcon::None,
                            MessageButtons::Ok);
            return false;
    }
    return registry_.SetValue(handle_, sValueName, ldValueDataType, data) == 0;
}

bool CReadWriteEasyReg::DeleteValue(std::string_view sValueName) {
    if (!open_) {
        return false;
    }
    return registry_.DeleteValue(handle_, sValueName) == 0;
}

std::optional<RegData> CReadWriteEasyReg::GetValue(std::string_view varName, bool returnBinStr) {
    if (!open_) {
        return std::nullopt;
    }
    try {
        std::uint32_t type = 0;
        std::string data;
        const long code = registry_.QueryValue(handle_, varName, type, data);
        if (code == kErrorFileNotFound) {
            return std::nullopt;
        }
        if (code == kErrorAccessDenied) {
            return RegData(std::string("Access Denied"));
        }
        if (code != 0) {
            return RegData("RegQueryValueEx Returned : (" + std::to_string(code) + ")");
        }
        switch (type) {
            case kRegNone:
                return RegData(std::string("Not defined value_type=REG_NONE"));
            case kRegSz:
            case kRegExpandSz:
                // The text without its terminating NUL.
                if (!data.empty() && data.back() == '\0') {
                    data.pop_back();
                }
                return RegData(data);
            case kRegBinary:
            case kRegDword:
                return RegData(returnBinStr ? data : HexBytes(data));
            case kRegDwordBigEndian:
                return RegData(data);
            case kRegLink:
                return RegData(std::string("Not defined value_type=REG_LINK"));
            case kRegMultiSz:
                if (auto items = SplitMultiSz(data)) {
                    return RegData(std::move(*items));
                }
                return RegData(std::string());
            case 8:
                return RegData(std::string("Not defined value_type=REG_RESOURCE_LIST"));
            case 9:
                return RegData(std::string("Not defined value_type=REG_FULL_RESOURCE_DESCRIPTOR"));
            case 10:
                return RegData(
                    std::string("Not defined value_type=REG_RESOURCE_REQUIREMENTS_LIST"));
            default:
                return RegData("value_type=" + std::to_string(type));
        }
    } catch (...) {
        return RegData(std::string());
    }
}

bool CReadWriteEasyReg::OpenRegistry(std::uint32_t rtHKey, std::string_view sbDr) {
    try {
        if (rtHKey == 0) {
            open_ = false;
            openError_ = kErrorInvalidHandle;
            return false;
        }
        rootKey_ = rtHKey;
        subDirectory_ = std::string(sbDr);
        if (open_) {
            CloseRegistry();
            open_ = false;
        }
        RegHandle opened = 0;
        openError_ = registry_.OpenKey(rootKey_, subDirectory_, opened);
        if (openError_ != 0) {
            return false;
        }
        if (handle_ != 0) {
            registry_.CloseKey(handle_);  // left open by an earlier call with no root
        }
        handle_ = opened;
        open_ = true;
        return true;
    } catch (...) {
        open_ = false;
        return false;
    }
}

void CReadWriteEasyReg::OneBackOnKey() {
    const auto slash = subDirectory_.rfind('\\');
    if (slash == std::string::npos) {
        throw std::invalid_argument("The key \"" + subDirectory_ + "\" has no parent key.");
    }
    const std::string parent = subDirectory_.substr(0, slash);
    CloseRegistry();
    OpenRegistry(rootKey_, parent);
}

bool CReadWriteEasyReg::CloseRegistry() {
    if (registry_.CloseKey(handle_) != 0) {
        return false;
    }
    // Forget the handle: closing it again later could close a key someone else opened since.
    handle_ = 0;
    open_ = false;
    return true;
}

SortInput CReadWriteEasyReg::SortArrayAscending(const SortInput& valueList) {
    const auto* list = std::get_if<RegArray>(&valueList);
    if (list == nullptr) {
        return valueList;
    }
    try {
        RegArray copy = *list;
        const long lower = copy.lowerBound;
        const long upper = lower + static_cast<long>(copy.items.size()) - 1;
        auto at = [&](long index) -> RegScalar& {
            if (index < lower || index > upper) {
                throw std::out_of_range("subscript out of range");
            }
            return copy.items[static_cast<std::size_t>(index - lower)];
        };
        // Insertion sort that passes over equal elements, so equal ones come out reversed.
        for (long i = 1; i <= upper; ++i) {
            const RegScalar t = at(i);
            long j = i;
            for (;;) {
                if (CompareScalars(at(j - 1), t) >= 0) {
                    if (--j == 0) {
                        for (long k = i; k >= 1; --k) {
                            at(k) = at(k - 1);
                        }
                        at(0) = t;
                        break;
                    }
                } else {
                    for (long k = i; k > j; --k) {
                        at(k) = at(k - 1);
                    }
                    at(j) = t;
                    break;
                }
            }
        }
        return copy;
    } catch (...) {
        return valueList;
    }
}

}  // namespace marvok
