#include "Platform/Format.h"

#include <sys/types.h>

#include <clocale>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <locale.h>
#include <string>

#include "Platform/Strings.h"

namespace Platform {

namespace {

// Widths and precisions beyond this are clamped: no format may make the
// formatter allocate without bound or overflow snprintf's int result.
constexpr int kMaxField = 4096;

enum class Length { None, Short, Long, LongLong, Size };

struct Conversion {
  std::string flags;  // any of "-+ #0", as written
  bool widthFromArg = false;
  int width = -1;
  bool precisionFromArg = false;
  int precision = -1;  // -1: none given
  Length length = Length::None;
  wchar_t type = 0;
};

bool IsConversionType(wchar_t c) { return c != 0 && std::wcschr(L"diuxXofFeEgGcsSp%", c) != nullptr; }

// Parses the conversion that starts after a '%' at position i. Returns the
// index just past it, or 0 when the text there is no known conversion (then
// *end is where the unknown text stops: after the offending character, or
// at the end of the format).
size_t ParseConversion(const wchar_t* f, size_t i, Conversion& c, size_t* end) {
  auto readNumber = [&](int& value) {
    value = 0;
    while (f[i] >= L'0' && f[i] <= L'9') {
      if (value < kMaxField) value = value * 10 + (f[i] - L'0');
      ++i;
    }
    if (value > kMaxField) value = kMaxField;
  };
  while (f[i] && std::wcschr(L"-+ #0", f[i])) c.flags += static_cast<char>(f[i++]);
  if (f[i] == L'*') {
    c.widthFromArg = true;
    ++i;
  } else if (f[i] >= L'0' && f[i] <= L'9') {
    readNumber(c.width);
  }
  if (f[i] == L'.') {
    ++i;
    if (f[i] == L'*') {
      c.precisionFromArg = true;
      ++i;
    } else {
      readNumber(c.precision);  // a bare '.' means precision 0
    }
  }
  if (f[i] == L'h') {
    c.length = Length::Short;
    ++i;
  } else if (f[i] == L'l') {
    ++i;
    c.length = Length::Long;
    if (f[i] == L'l') {
      c.length = Length::LongLong;
      ++i;
    }
  } else if (f[i] == L'z') {
    c.length = Length::Size;
    ++i;
  } else if (f[i] == L'I' && f[i + 1] == L'6' && f[i + 2] == L'4') {
    c.length = Length::LongLong;
    i += 3;
  }
  if (!IsConversionType(f[i])) {
    *end = f[i] ? i + 1 : i;
    return 0;
  }
  c.type = f[i];
  return i + 1;
}

// Numbers are formatted by snprintf in the "C" locale whatever the process
// locale says, so a decimal point never turns into a comma.
locale_t CLocale() {
  static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

template <typename T>
void AppendNumber(std::wstring& out, const std::string& spec, T value) {
  locale_t c = CLocale();
  locale_t previous = c ? uselocale(c) : static_cast<locale_t>(0);
  char small[128];
  int n = std::snprintf(small, sizeof small, spec.c_str(), value);
  std::string text;
  if (n >= 0 && static_cast<size_t>(n) < sizeof small) {
    text.assign(small, static_cast<size_t>(n));
  } else if (n >= 0) {
    text.resize(static_cast<size_t>(n) + 1);
    std::snprintf(text.data(), text.size(), spec.c_str(), value);
    text.resize(static_cast<size_t>(n));
  }
  if (c) uselocale(previous);
  for (char ch : text) out += static_cast<wchar_t>(static_cast<unsigned char>(ch));
}

// printf spec for one numeric conversion, rebuilt in narrow form.
std::string NumberSpec(const Conversion& c, const char* lengthAndType, bool withPrecision = true) {
  std::string spec = "%" + c.flags;
  if (c.width >= 0) spec += std::to_string(c.width);
  if (withPrecision && c.precision >= 0) spec += "." + std::to_string(c.precision);
  spec += lengthAndType;
  return spec;
}

void AppendPadded(std::wstring& out, std::wstring_view text, const Conversion& c) {
  const size_t width = c.width > 0 ? static_cast<size_t>(c.width) : 0;
  const bool left = c.flags.find('-') != std::string::npos;
  const size_t pad = width > text.size() ? width - text.size() : 0;
  if (!left) out.append(pad, L' ');
  out.append(text);
  if (left) out.append(pad, L' ');
}

void AppendSigned(std::wstring& out, const Conversion& c, va_list* ap) {
  long long v = 0;
  switch (c.length) {
    case Length::Short: v = static_cast<short>(va_arg(*ap, int)); break;
    case Length::Long: v = va_arg(*ap, long); break;
    case Length::LongLong: v = va_arg(*ap, long long); break;
    case Length::Size: v = va_arg(*ap, ssize_t); break;
    case Length::None: v = va_arg(*ap, int); break;
  }
  AppendNumber(out, NumberSpec(c, "lld"), v);
}

void AppendUnsigned(std::wstring& out, const Conversion& c, va_list* ap) {
  unsigned long long v = 0;
  switch (c.length) {
    case Length::Short: v = static_cast<unsigned short>(va_arg(*ap, unsigned)); break;
    case Length::Long: v = va_arg(*ap, unsigned long); break;
    case Length::LongLong: v = va_arg(*ap, unsigned long long); break;
    case Length::Size: v = va_arg(*ap, size_t); break;
    case Length::None: v = va_arg(*ap, unsigned); break;
  }
  const char* type = c.type == L'x' ? "llx" : c.type == L'X' ? "llX" : c.type == L'o' ? "llo" : "llu";
  AppendNumber(out, NumberSpec(c, type), v);
}

void AppendString(std::wstring& out, const Conversion& c, va_list* ap) {
  // %s and %ls are wide, %hs and %S narrow: the data's format strings rely on it.
  const bool narrow = (c.type == L'S' && c.length != Length::Long) || c.length == Length::Short;
  std::wstring text;
  if (narrow) {
    const char* s = va_arg(*ap, const char*);
    if (!s) s = "(null)";
    // Never read past the precision: the text need not be terminated then.
    text = Utf8ToWide(std::string_view(s, c.precision >= 0 ? strnlen(s, c.precision) : std::strlen(s)));
  } else {
    const wchar_t* s = va_arg(*ap, const wchar_t*);
    if (!s) s = L"(null)";
    text.assign(s, c.precision >= 0 ? wcsnlen(s, c.precision) : std::wcslen(s));
  }
  if (c.precision >= 0 && text.size() > static_cast<size_t>(c.precision)) text.resize(c.precision);
  AppendPadded(out, text, c);
}

void AppendChar(std::wstring& out, const Conversion& c, va_list* ap) {
  wchar_t ch;
  if (c.length == Length::Short) {
    const auto byte = static_cast<unsigned char>(va_arg(*ap, int));
    ch = byte < 0x80 ? static_cast<wchar_t>(byte) : L'\xFFFD';  // a lone non-ASCII byte is no UTF-8
  } else {
    ch = static_cast<wchar_t>(va_arg(*ap, wint_t));
  }
  AppendPadded(out, std::wstring_view(&ch, 1), c);
}

}  // namespace

std::wstring FormatWide(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  std::wstring out = FormatWideV(format, args);
  va_end(args);
  return out;
}

std::wstring FormatWideV(const wchar_t* format, va_list args) {
  std::wstring out;
  if (!format) return out;
  va_list ap;
  va_copy(ap, args);
  size_t i = 0;
  while (format[i]) {
    if (format[i] != L'%') {
      out += format[i++];
      continue;
    }
    const size_t start = i;
    if (format[i + 1] == 0) {  // a trailing '%'
      out += L'%';
      break;
    }
    Conversion c;
    size_t unknownEnd = 0;
    const size_t next = ParseConversion(format, i + 1, c, &unknownEnd);
    if (next == 0) {
      // Not a conversion we know: print it as written, consuming no argument.
      out.append(format + start, unknownEnd - start);
      i = unknownEnd;
      continue;
    }
    i = next;
    if (c.widthFromArg) {
      int w = va_arg(ap, int);
      if (w < 0) {  // a negative width from the arguments means left-justified
        c.flags += '-';
        w = w < -kMaxField ? kMaxField : -w;
      }
      c.width = w > kMaxField ? kMaxField : w;
    }
    if (c.precisionFromArg) {
      const int p = va_arg(ap, int);
      c.precision = p < 0 ? -1 : (p > kMaxField ? kMaxField : p);
    }
    switch (c.type) {
      case L'%': out += L'%'; break;
      case L'd':
      case L'i': AppendSigned(out, c, &ap); break;
      case L'u':
      case L'x':
      case L'X':
      case L'o': AppendUnsigned(out, c, &ap); break;
      case L'f':
      case L'F':
      case L'e':
      case L'E':
      case L'g':
      case L'G': {
        const char type[2] = {static_cast<char>(c.type), 0};
        AppendNumber(out, NumberSpec(c, type), va_arg(ap, double));
        break;
      }
      case L'c': AppendChar(out, c, &ap); break;
      case L's':
      case L'S': AppendString(out, c, &ap); break;
      case L'p': {
        Conversion p = c;
        p.flags = c.flags.find('-') != std::string::npos ? "-" : "";
        AppendNumber(out, NumberSpec(p, "p", false), va_arg(ap, void*));
        break;
      }
      default: break;
    }
  }
  va_end(ap);
  return out;
}

}  // namespace Platform
