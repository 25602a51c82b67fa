#pragma once

// The language of one worksheet line. Include only where a parse is run: the rule templates are
// expensive to compile.

#include "engine/primitives.h"
#include "engine/recording.h"

#include <boost/spirit/include/classic_core.hpp>
#include <boost/spirit/include/classic_symbols.hpp>

#include <functional>

// Two copies of the expression rules: the evaluating one records the actions that compute on
// the state's value stack; the syntax-only one checks function bodies and captures "if"
// branches without recording anything.
// Alternatives are tried in order and the first match is final; repetitions never give back.
// Both decide where a failed parse stops.
struct calculator : public boost::spirit::classic::grammar<calculator> {
    calculator(Recording& recording, int syntaxOnly)
        : mRecording(recording), mSyntaxOnly(syntaxOnly) {}

    Recording& mRecording;
    int mSyntaxOnly;

    template <typename ScannerT> struct definition {
        typedef boost::spirit::classic::rule<ScannerT> rule_t;

        rule_t statement, assignment, funcDef, identifier;
        rule_t expression, term, power, factor;
        rule_t syntaxExpression, syntaxTerm, syntaxPower, syntaxFactor;
        bool mSyntaxOnly;

        rule_t const& start() const { return mSyntaxOnly ? syntaxExpression : statement; }

        definition(calculator const& self) : mSyntaxOnly(self.mSyntaxOnly != 0) {
            using namespace boost::spirit::classic;
            using calcparse::call;
            using calcparse::decimal_literal_p;
            using calcparse::hex64_p;
            using calcparse::letter_p;
            using calcparse::name_char_p;
            using calcparse::name_of;
            using calcparse::nested;

            Recording& r = self.mRecording;
            const SCalcState& s = r.mState;
            const BuiltinTables& builtins = *s.mBuiltins;
            typedef RecordOperator<DoBinOp<std::plus<double>>, 2> Add;
            typedef RecordOperator<DoBinOp<std::minus<double>>, 2> Subtract;
            typedef RecordOperator<DoBinOp<std::multiplies<double>>, 2> Multiply;
            typedef RecordOperator<DoBinOp<std::divides<double>>, 2> Divide;
            typedef RecordOperator<DoBinOp<BinFunctor<&Pow>>, 2> Power;
            typedef RecordOperator<DoNegate, 1> Negate;

            // The rules keep the layout of a grammar book: one alternative per line.
            // clang-format off

            // statement = ( assignment | funcDef | expression ) end
            statement
                =   (   assignment[RecordAssign{r}]
                    |   funcDef[RecordDefinition{r}]
                    |   expression[RecordEvaluation{r}]
                    )
                    >> end_p
                ;

            // assignment = identifier "=" expression
            assignment
                =   identifier[CaptureText{r.mAssignName}] >> '=' >> expression
                ;

            // funcDef = identifier "(" identifier { "," identifier } ")" "=" body
            funcDef
                =   identifier[CaptureText{r.mDefName}]
                    >> '(' >> identifier[AppendText{r.mParamNames}]
                    >> *( ',' >> identifier[AppendText{r.mParamNames}] )
                    >> ')' >> '='
                    >> lexeme_d[ *anychar_p ][CaptureText{r.mDefBody}]
                ;

            // identifier = letter { letter | digit | "_" }, but not a built-in name nor "if"
            identifier
                =   lexeme_d
                    [
                        ( letter_p >> *name_char_p )
                        - ( builtins.mBinaryFunctions
                          | builtins.mUnaryFunctions
                          | str_p("if")
                          | builtins.mConstants
                          )
                    ]
                ;

            // expression = ( term | "-" term ) { "+" term | "-" term }
            expression
                =   (   term
                    |   ( '-' >> term )[Negate{r}]
                    )
                    >> *(   ( '+' >> term )[Add{r}]
                        |   ( '-' >> term )[Subtract{r}]
                        )
                ;

            // term = power { power | "*" power | "/" power }; a power right after another multiplies
            term
                =   power
                    >> *(   power[Multiply{r}]
                        |   ( '*' >> power )[Multiply{r}]
                        |   ( '/' >> power )[Divide{r}]
                        )
                ;

            // power = factor [ "^" power ]; so "^" groups to the right
            power
                =   nested(r)
                    [
                        factor >> !( '^' >> power[Power{r}] )
                    ]
                ;

            // factor = hex | number | "(" expression ")" | call | if | variable | constant
            factor
                =   lexeme_d[ str_p("0x") >> hex64_p[RecordValue{r}] ]
                |   decimal_literal_p[RecordValue{r}]
                |   '(' >> expression >> ')'
                |   call(r, RecordUnaryCall{r})
                    [
                        lexeme_d[ builtins.mUnaryFunctions >> '(' ] >> expression >> ')'
                    ]
                |   call(r, RecordDefinedCall{r})
                    [
                        lexeme_d[ name_of(s.mFunctions) >> '(' ]
                        >> expression >> *( ',' >> expression ) >> ')'
                    ]
                |   call(r, RecordBinaryCall{r})
                    [
                        lexeme_d[ builtins.mBinaryFunctions >> '(' ]
                        >> expression >> ',' >> expression >> ')'
                    ]
                |   call(r, RecordIf{r})
                    [
                        str_p("if(") >> expression
                        >> ',' >> syntaxExpression[CaptureText{r.mIfTrueText}]
                        >> ',' >> syntaxExpression[CaptureText{r.mIfFalseText}]
                        >> ')'
                    ]
                |   name_of(s.mVariables)[RecordVariable{r}]
                |   builtins.mConstants[RecordValue{r}]
                ;

            // The same four rules without actions.
            syntaxExpression
                =   ( syntaxTerm | '-' >> syntaxTerm )
                    >> *( '+' >> syntaxTerm | '-' >> syntaxTerm )
                ;

            syntaxTerm
                =   syntaxPower
                    >> *(   syntaxPower
                        |   '*' >> syntaxPower
                        |   '/' >> syntaxPower
                        )
                ;

            syntaxPower
                =   nested(r)
                    [
                        syntaxFactor >> !( '^' >> syntaxPower )
                    ]
                ;

            syntaxFactor
                =   lexeme_d[ str_p("0x") >> hex64_p ]
                |   ureal_p
                |   '(' >> syntaxExpression >> ')'
                |   lexeme_d[ builtins.mUnaryFunctions >> '(' ] >> syntaxExpression >> ')'
                |   lexeme_d[ name_of(s.mFunctions) >> '(' ]
                    >> syntaxExpression >> *( ',' >> syntaxExpression ) >> ')'
                |   lexeme_d[ builtins.mBinaryFunctions >> '(' ]
                    >> syntaxExpression >> ',' >> syntaxExpression >> ')'
                |   str_p("if(") >> syntaxExpression
                    >> ',' >> syntaxExpression >> ',' >> syntaxExpression >> ')'
                |   name_of(s.mVariables)
                |   builtins.mConstants
                ;
            // clang-format on
        }
    };
};
