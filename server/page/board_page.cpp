#include "board_page.h"

#include <cstdio>

#include "game_text.h"
#include "title_svg.h"

namespace {

// The game's colours: a dark sky, green titles glowing, pale text.
const char* const Style =
    "html{background:#05070d;color:#d8dcf0;font:16px/1.4 ui-monospace,'DejaVu Sans Mono',monospace}"
    "body{margin:0 auto;max-width:64rem;padding:1rem}"
    "header{text-align:center;margin:1rem 0 2rem}"
    "header svg{display:block;margin:0 auto;fill:none;stroke-linecap:round}"
    ".title{width:min(90%,34rem);stroke:#80ff40;stroke-width:2.2;"
    "filter:drop-shadow(0 0 2px #80ff40) drop-shadow(0 0 8px #40c020)}"
    ".subtitle{width:min(60%,18rem);margin-top:1rem!important;stroke:#ff80ff;stroke-width:2;"
    "filter:drop-shadow(0 0 3px #c040c0)}"
    "main{display:flex;flex-wrap:wrap;gap:2rem;justify-content:center}"
    "section{flex:1 1 26rem;min-width:0}"
    "h2{color:#40e0ff;font-size:1.1rem;letter-spacing:.3em;text-transform:uppercase;text-shadow:0 0 6px #20a0ff}"
    "table{width:100%;border-collapse:collapse;font-variant-numeric:tabular-nums}"
    "th{color:#ff6060;font-weight:normal;text-align:left;border-bottom:1px solid #303850;padding:.2rem .4rem}"
    "td{padding:.15rem .4rem;border-bottom:1px solid #121828;white-space:nowrap}"
    "td.name{white-space:pre;overflow:hidden;text-overflow:ellipsis;max-width:12rem;color:#fff}"
    ".rank,.points{text-align:right}td.points{color:#ffff60}"
    "tbody tr:nth-child(-n+3) td{text-shadow:0 0 6px #ffff40}"
    "footer{margin:2rem 0 1rem;text-align:center;color:#6070a0;font-size:.85rem}"
    "a{color:#40e0ff}"
    "@media(max-width:30rem){html{font-size:14px}.date{display:none}}";

std::string HtmlEscape(const std::string& utf8) {
    std::string out;
    for (const char c : utf8) {
        switch (c) {
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '&': out += "&amp;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || c == '<' || c == '>' || c == '&') {
            // Also <, > and &: the text stays inert if pasted into a page.
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04x", unsigned(static_cast<unsigned char>(c)));
            out += code;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Svg(const char* css, const char* label, const char* path, int width) {
    return std::string("<svg class=\"") + css + "\" viewBox=\"-4 -4 " + std::to_string(width + 8) + " " +
           std::to_string(TitleHeight + 8) + "\" role=\"img\" aria-label=\"" + label + "\"><path d=\"" + path +
           "\"/></svg>";
}

std::string Table(const char* heading, const char* id, const std::vector<ScoreEntry>& rows) {
    std::string html = std::string("<section id=\"") + id + "\"><h2>" + heading + "</h2>";
    if (rows.empty()) return html + "<p>No scores yet.</p></section>";
    html += "<table><thead><tr><th class=\"rank\">#</th><th>Name</th><th>Level</th><th class=\"points\">Points</th>"
            "<th class=\"date\">Date</th></tr></thead><tbody>";
    int rank = 0;
    for (const ScoreEntry& e : rows) {
        html += "<tr><td class=\"rank\">" + std::to_string(++rank) + "</td><td class=\"name\">" +
                HtmlEscape(Latin1ToUtf8(e.name)) + "</td><td class=\"level\">" + HtmlEscape(e.level) +
                "</td><td class=\"points\">" + std::to_string(e.score) + "</td><td class=\"date\">" +
                HtmlEscape(e.date) + "</td></tr>";
    }
    return html + "</tbody></table></section>";
}

}  // namespace

std::string RenderBoardPage(const std::vector<ScoreEntry>& arcade, const std::vector<ScoreEntry>& classic) {
    return std::string("<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">"
                       "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">"
                       "<title>Orbivore high scores</title><style>") +
           Style + "</style></head><body><header>" + Svg("title", "Orbivore", TitlePath, TitleWidth) +
           Svg("subtitle", "High scores", SubtitlePath, SubtitleWidth) + "</header><main>" +
           Table("Arcade", "arcade", arcade) + Table("Classic", "classic", classic) +
           "</main><footer>Each player once, with their best game. Updated every few seconds. "
           "As JSON: <a href=\"/api/top?mode=arcade\">arcade</a>, <a href=\"/api/top?mode=classic\">classic</a>."
           "</footer></body></html>\n";
}

std::string RenderTopJson(const std::string& mode, const std::vector<ScoreEntry>& rows, size_t limit) {
    std::string json = "{\"mode\":" + JsonString(mode) + ",\"scores\":[";
    for (size_t n = 0; n < rows.size() && n < limit; ++n) {
        const ScoreEntry& e = rows[n];
        json += std::string(n ? "," : "") + "{\"rank\":" + std::to_string(n + 1) + ",\"name\":" +
                JsonString(Latin1ToUtf8(e.name)) + ",\"level\":" + JsonString(e.level) +
                ",\"points\":" + std::to_string(e.score) + ",\"date\":" + JsonString(e.date) + "}";
    }
    return json + "]}\n";
}
