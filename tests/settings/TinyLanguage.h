#pragma once

#include "engine/Language.h"

#include <string>

namespace brevlin::test {

// The made-up language Tiny: 15 keywords, a line comment and a string with an escape.
inline void FillTiny(Language& language) {
    language.SetName(u"Tiny");
    language.SetStartTag(u"<b>");
    language.SetEndTag(u"</b>");
    language.SetReplaceTab(true);
    language.SetTabColumns(4);
    for (const char16_t* keyword :
         {u"while", u"and", u"break", u"case", u"do", u"else", u"fn", u"for", u"if", u"in", u"let",
          u"loop", u"not", u"or", u"return"})
        language.Keywords().Add(keyword);
    Comment& line = language.Comments().Add();
    line.SetClauseStart(u"//");
    line.SetStartTag(u"<i>");
    line.SetEndTag(u"</i>");
    Comment& string = language.Comments().Add();
    string.SetClauseStart(u"\"");
    string.SetClauseEnd(u"\"");
    string.SetEscapeChar(u"\\");
    string.SetStartTag(u"<span class=\"str\">");
    string.SetEndTag(u"</span>");
}

// Tiny as the writer produces it.
inline const std::string TinyFile = "[Brevlin]\r\n"
                                    "Version=2.0\r\n"
                                    "[Language]\r\n"
                                    "Name=Tiny\r\n"
                                    "StartTag=<b>\r\n"
                                    "EndTag=</b>\r\n"
                                    "ReplaceTab=True\r\n"
                                    "TabColumns=4\r\n"
                                    "IgnoreCase=False\r\n"
                                    "Keywords1=and,break,case,do,else,fn,for,if,in,let\r\n"
                                    "Keywords2=loop,not,or,return,while\r\n"
                                    "[Comment1]\r\n"
                                    "ClauseStart=//\r\n"
                                    "ClauseEnd=\r\n"
                                    "EscapeChar=\r\n"
                                    "MatchWord=False\r\n"
                                    "StartTag=<i>\r\n"
                                    "EndTag=</i>\r\n"
                                    "[Comment2]\r\n"
                                    "ClauseStart=\"\r\n"
                                    "ClauseEnd=\"\r\n"
                                    "EscapeChar=\\\r\n"
                                    "MatchWord=False\r\n"
                                    "StartTag=<span class=\"str\">\r\n"
                                    "EndTag=</span>\r\n";

} // namespace brevlin::test
