// Finding the links of a 1 MB text full of '<' and '>' (comparisons, markup, half-made
// anchors, a few addresses and anchors), against a scanner of the same link grammar written
// plainly by hand, which finds the same links with their captions and targets, in one run.
// The run ends with the ratio.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <UILinks.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace {

const std::wstring& Text() {
  static const std::wstring text = [] {
    const wchar_t* pieces[] = {L"if a < b and c > d then ", L"<b>bold</b> ", L"see www.example.com ",
                               L"<a href=\"http://x.y/z\">cap</a> ", L"x <= y >= z ", L"<a href=\"broken ",
                               L"mail to ann@example.org ", L"1<2<3>2>1 "};
    std::wstring t;
    for (size_t i = 0; t.size() * sizeof(wchar_t) < (1u << 20); ++i) t += pieces[i % (sizeof pieces / sizeof pieces[0])];
    return t;
  }();
  return text;
}

void BM_LocateLinks(benchmark::State& state) {
  const std::wstring& text = Text();
  for (auto _ : state) {
    CArrayLinkDefs links;
    int length = static_cast<int>(text.size());
    links.LocateLinksInString(text.c_str(), length);
    benchmark::DoNotOptimize(links.GetSize());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size() * sizeof(wchar_t)));
}
BENCHMARK(BM_LocateLinks)->Name("links/LocateLinks")->Unit(benchmark::kMillisecond);

// The reference: the link grammar scanned plainly. An anchor is "<a", blanks, href="target",
// anything up to '>', the caption, "</a>". An address is the rest of a word (up to a blank or
// an angle bracket) from a position where a scheme, "www." or "ftp." starts, or from which an
// '@' follows later in the word; a word holding none of '@', ':' and '.' has none.
struct HandLink {
  int start, end;
  std::wstring caption, target;
};

bool Blank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; }
wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }
bool At(const wchar_t* t, int n, int i, const wchar_t* prefix) {
  for (; *prefix; ++prefix, ++i)
    if (i >= n || Lower(t[i]) != *prefix) return false;
  return true;
}
int Next(const wchar_t* t, int n, int from, wchar_t c) {
  while (from < n && t[from] != c) ++from;
  return from;
}
std::wstring Normalised(const std::wstring& target) {
  if (target.find(L':') != std::wstring::npos) return target;
  if (target.find(L'@') != std::wstring::npos) return L"mailto:" + target;
  if (At(target.c_str(), static_cast<int>(target.size()), 0, L"www.")) return L"http://" + target;
  if (At(target.c_str(), static_cast<int>(target.size()), 0, L"ftp.")) return L"ftp://" + target;
  return L"file://" + target;
}

void ScanByHand(const wchar_t* t, int n, std::vector<HandLink>& links) {
  static const wchar_t* const schemes[] = {L"http://", L"https://", L"mailto:",  L"file://", L"ftp://", L"telnet://",
                                           L"news://", L"gopher://", L"nntp://", L"wais://", L"qv://",  L"vba://"};
  int i = 0;
  while (i < n) {
    if (t[i] == L'<') {
      if (!At(t, n, i, L"<a")) {
        ++i;
        continue;
      }
      int q = i + 2;
      while (q < n && Blank(t[q])) ++q;
      if (!At(t, n, q, L"href=\"")) {
        i = q;
        continue;
      }
      q += 6;
      const int quote = Next(t, n, q, L'"'), close = Next(t, n, quote + 1, L'>');
      int end = close + 1;
      while (end < n && !At(t, n, end, L"</a>")) end = Next(t, n, end + 1, L'<');
      if (quote >= n || close >= n || end >= n) {
        i = q;
        continue;
      }
      std::wstring target;
      for (int k = q; k < quote; ++k) target += Blank(t[k]) ? std::wstring(L"%20") : std::wstring(1, t[k]);
      links.push_back({i, end + 4, std::wstring(t + close + 1, t + end), Normalised(target)});
      i = end + 4;
      continue;
    }
    if (Blank(t[i])) {
      ++i;
      continue;
    }
    int wordEnd = i;
    while (wordEnd < n && !Blank(t[wordEnd]) && t[wordEnd] != L'<' && t[wordEnd] != L'>') ++wordEnd;
    if (wordEnd == i) {  // a lone '>'
      ++i;
      continue;
    }
    bool found = false;
    for (int p = i; p < wordEnd && !found; ++p) {
      const int at = Next(t, wordEnd, p, L'@'), colon = Next(t, wordEnd, p, L':'), dot = Next(t, wordEnd, p, L'.');
      if (at == wordEnd && colon == wordEnd && dot == wordEnd) break;  // nor at any later position
      const bool host = At(t, n, p, L"www.") || At(t, n, p, L"ftp.");
      bool starts = host;
      if (colon < wordEnd && colon < at) {
        for (const wchar_t* scheme : schemes) starts = starts || At(t, n, p, scheme);
      } else if (at < wordEnd && at != p) {
        starts = true;
      }
      if (!starts) continue;
      const std::wstring address(t + p, t + wordEnd);
      std::wstring caption;
      for (size_t k = 0; k < address.size(); ++k) {
        if (address.compare(k, 3, L"%20") == 0) {
          caption += L' ';
          k += 2;
        } else {
          caption += address[k];
        }
      }
      links.push_back({p, wordEnd, caption, Normalised(address)});
      found = true;
    }
    i = wordEnd;
  }
}

void BM_ScanByHand(benchmark::State& state) {
  const std::wstring& text = Text();
  // The reference must find what the library finds, or it does not do the same work.
  CArrayLinkDefs ours;
  int length = static_cast<int>(text.size());
  ours.LocateLinksInString(text.c_str(), length);
  std::vector<HandLink> check;
  ScanByHand(text.c_str(), static_cast<int>(text.size()), check);
  if (static_cast<int>(check.size()) != ours.GetSize() || check.empty() ||
      check.back().target != ours.GetAt(ours.GetSize() - 1)->m_target) {
    state.SkipWithError("the hand-written scanner finds other links than the library");
    return;
  }
  for (auto _ : state) {
    std::vector<HandLink> links;
    ScanByHand(text.c_str(), static_cast<int>(text.size()), links);
    benchmark::DoNotOptimize(links.size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size() * sizeof(wchar_t)));
}
BENCHMARK(BM_ScanByHand)->Name("links/ScanByHand")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench_support::RunWithRatios(argc, argv, [](const bench_support::RatioReporter& reporter) {
    reporter.Print("links in 1 MB: LocateLinksInString / a scanner of the same grammar by hand", "links/LocateLinks",
                   "links/ScanByHand");
  });
}
