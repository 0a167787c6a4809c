// TLanguageParsersTest: a test with the seven language parsers made from their embedded images.
#pragma once

#include "highlighter/language_parsers.h"
#include "highlighter/syntax_memo_parser.h"

#include "platform/rtl/object.h"

#include <gtest/gtest.h>

#include <stdexcept>

class TLanguageParsersTest : public ::testing::Test {
protected:
    TComponent owner_;
    std::vector<TSyntaxMemoParser*> parsers_ = CreateLanguageParsers(&owner_);

    // The parser of that component name.
    TSyntaxMemoParser& Parser(const char* ComponentName)
    {
        for (TSyntaxMemoParser* parser : parsers_) {
            if (parser->Name == QLatin1String(ComponentName))
                return *parser;
        }
        throw std::runtime_error(ComponentName);
    }
};
