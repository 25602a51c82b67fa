#pragma once

// The language of one worksheet line. Include only where a parse is run: the rule templates are
// expensive to compile.

#include "engine/actions.h"
#include "engine/primitives.h"

#include <boost/spirit/include/classic_core.hpp>
#include <boost/spirit/include/classic_symbols.hpp>

#include <functional>

// Two copies of the expression rules: the evaluating one computes on the state's value stack;
// the syntax-only one checks function bodies and captures "if" branches without evaluating.
// Alternatives are tried in order and the first match is final; repetitions never give back.
// Both decide where a failed parse stops.
struct calculator : public boost::spirit::classic::grammar<calculator> {
    calculator(SCalcState& state, int syntaxOnly) : mState(state), mSyntaxOnly(syntaxOnly) {}

    SCalcState& mState;
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
            using calcparse::nested;

            SCalcState& s = self.mState;
            const BuiltinTables& builtins = *s.mBuiltins;
            typedef DoBinOp<std::plus<double>> Add;
            typedef DoBinOp<std::minus<double>> Subtract;
            typedef DoBinOp<std::multiplies<double>> Multiply;
            typedef DoBinOp<std::divides<double>> Divide;
            typedef DoBinOp<BinFunctor<&Pow>> Power;

            // The rules keep the layout of a grammar book: one alternative per line.
            // clang-format off

            // statement = ( assignment | funcDef | expression ) end
            statement
                =   (   assignment[DoAssign{s}]
                    |   funcDef[DoDefFunc{s}]
                    |   expression[DoEvaluation{s}]
                    )
                    >> end_p
                ;

            // assignment = identifier "=" expression
            assignment
                =   identifier[CaptureText{s.mAssignName}] >> '=' >> expression
                ;

            // funcDef = identifier "(" identifier { "," identifier } ")" "=" body
            funcDef
                =   identifier[CaptureText{s.mDefName}]
                    >> '(' >> identifier[AppendText{s.mParamNames}]
                    >> *( ',' >> identifier[AppendText{s.mParamNames}] )
                    >> ')' >> '='
                    >> lexeme_d[ *anychar_p ][CaptureText{s.mDefBody}]
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
                    |   ( '-' >> term )[DoNegate{s}]
                    )
                    >> *(   ( '+' >> term )[Add{s}]
                        |   ( '-' >> term )[Subtract{s}]
                        )
                ;

            // term = power { power | "*" power | "/" power }; a power right after another multiplies
            term
                =   power
                    >> *(   power[Multiply{s}]
                        |   ( '*' >> power )[Multiply{s}]
                        |   ( '/' >> power )[Divide{s}]
                        )
                ;

            // power = factor [ "^" power ]; so "^" groups to the right
            power
                =   nested(s)
                    [
                        factor >> !( '^' >> power[Power{s}] )
                    ]
                ;

            // factor = hex | number | "(" expression ")" | call | if | variable | constant
            factor
                =   lexeme_d[ str_p("0x") >> hex64_p[PushValue{s}] ]
                |   decimal_literal_p[PushValue{s}]
                |   '(' >> expression >> ')'
                |   call(s, DoUnaryFunc{s})
                    [
                        lexeme_d[ builtins.mUnaryFunctions >> '(' ] >> expression >> ')'
                    ]
                |   call(s, DoDefinedFunc{s})
                    [
                        lexeme_d[ s.mFunctions >> '(' ]
                        >> expression >> *( ',' >> expression ) >> ')'
                    ]
                |   call(s, DoBinaryFunc{s})
                    [
                        lexeme_d[ builtins.mBinaryFunctions >> '(' ]
                        >> expression >> ',' >> expression >> ')'
                    ]
                |   call(s, DoIf{s})
                    [
                        str_p("if(") >> expression
                        >> ',' >> syntaxExpression[CaptureText{s.mIfTrueText}]
                        >> ',' >> syntaxExpression[CaptureText{s.mIfFalseText}]
                        >> ')'
                    ]
                |   s.mVariables[PushValue{s}]
                |   builtins.mConstants[PushValue{s}]
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
                =   nested(s)
                    [
                        syntaxFactor >> !( '^' >> syntaxPower )
                    ]
                ;

            syntaxFactor
                =   lexeme_d[ str_p("0x") >> hex64_p ]
                |   ureal_p
                |   '(' >> syntaxExpression >> ')'
                |   lexeme_d[ builtins.mUnaryFunctions >> '(' ] >> syntaxExpression >> ')'
                |   lexeme_d[ s.mFunctions >> '(' ]
                    >> syntaxExpression >> *( ',' >> syntaxExpression ) >> ')'
                |   lexeme_d[ builtins.mBinaryFunctions >> '(' ]
                    >> syntaxExpression >> ',' >> syntaxExpression >> ')'
                |   str_p("if(") >> syntaxExpression
                    >> ',' >> syntaxExpression >> ',' >> syntaxExpression >> ')'
                |   s.mVariables
                |   builtins.mConstants
                ;
            // clang-format on
        }
    };
};
