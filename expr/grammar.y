/* The grammar of the expression language. One expression followed by the end of the text;
   binary operators group from the left on eight levels, and the prefix operators bind tighter
   than all of them. Each reduction checks its operand types and appends postfix instructions
   through the compile state. */

%code top {
/* The parser stack holds 150 entries; setting a 151st reports the overflow. */
#define YYINITDEPTH 151
#define YYMAXDEPTH 151
}

%code requires {
#include "expr/compiler.h"
}

%code {
int vexpr_lex(VEXPR_STYPE* value, vornelle::expr::Compiler& c);
void vexpr_error(vornelle::expr::Compiler& c, const char* message);

/* Abandons the parse when a semantic action found a type mismatch. */
#define CHECKED(result, action) \
  do {                          \
    (result).type = (action);   \
    if ((result).type == 0) YYABORT; \
  } while (0)
}

%define api.prefix {vexpr_}
%define api.pure full
%define api.value.type {vornelle::expr::Operand}
%define api.token.prefix {TOK_}
%define lr.type lalr
/* No default reductions: a state reduces only on tokens that may follow the rule, so a token
   that fits nowhere is mostly reported as soon as it is read, not after reductions whose type
   checks would speak first. */
%define lr.default-reduction accepting
%param {vornelle::expr::Compiler& c}
%expect 0

/* Function names: their token codes are also their opcodes. */
%token ABS 257 ASC 259 AT 261 CDOW 264 CHR 266 CMONTH 267 CTOD 269 DATE 270 DAY 271
%token DELETED 272 DOW 274 DTOC 275 DTOS 277 IIF 283 INT 284 LEFT 288 LEN 289 LOWER 292
%token LTRIM 293 MAX 294 MIN 295 MOD 296 MONTH 297 RECNO 300 REPLICATE 301 RIGHT 302
%token ROUND 303 RTRIM 305 SOUNDEX 308 SPACE 310 STR 311 STUFF 312 SUBSTR 313 TRIM 316
%token UPPER 318 VAL 319 YEAR 320
/* Field names of the current work area (types C N L D M), then with an alias. */
%token FIELD_C 321 FIELD_N 322 FIELD_L 323 FIELD_D 324 FIELD_M 325
%token ALIAS_C 326 ALIAS_N 327 ALIAS_L 328 ALIAS_D 329 ALIAS_M 330
%token STRING 331 NUMBER 332
/* A name found nowhere: no rule accepts it. */
%token UNKNOWN 336
%token FALSE 337 TRUE 338 NOT 339 OR 340 AND 341
%token NE 342 LE 343 GE 344 EXACT 345 CONTAINED 346

%left OR
%left AND
%left '=' NE
%left CONTAINED EXACT
%left '<' '>' LE GE
%left '+' '-'
%left '*' '/'
%left '^'
%precedence NOT UNARY

%%

input:
  expr                      { c.End($1.type); }
;

expr:
  expr OR expr              { CHECKED($$, c.Binary(TOK_OR, $1.type, $3.type)); }
| expr AND expr             { CHECKED($$, c.Binary(TOK_AND, $1.type, $3.type)); }
| expr '=' expr             { CHECKED($$, c.Binary('=', $1.type, $3.type)); }
| expr NE expr              { CHECKED($$, c.Binary(TOK_NE, $1.type, $3.type)); }
| expr CONTAINED expr       { CHECKED($$, c.Binary(TOK_CONTAINED, $1.type, $3.type)); }
| expr EXACT expr           { CHECKED($$, c.Binary(TOK_EXACT, $1.type, $3.type)); }
| expr '<' expr             { CHECKED($$, c.Binary('<', $1.type, $3.type)); }
| expr '>' expr             { CHECKED($$, c.Binary('>', $1.type, $3.type)); }
| expr LE expr              { CHECKED($$, c.Binary(TOK_LE, $1.type, $3.type)); }
| expr GE expr              { CHECKED($$, c.Binary(TOK_GE, $1.type, $3.type)); }
| expr '+' expr             { CHECKED($$, c.Binary('+', $1.type, $3.type)); }
| expr '-' expr             { CHECKED($$, c.Binary('-', $1.type, $3.type)); }
| expr '*' expr             { CHECKED($$, c.Binary('*', $1.type, $3.type)); }
| expr '/' expr             { CHECKED($$, c.Binary('/', $1.type, $3.type)); }
| expr '^' expr             { CHECKED($$, c.Binary('^', $1.type, $3.type)); }
| NOT expr                  { CHECKED($$, c.Prefix(TOK_NOT, $2.type)); }
| '-' expr %prec UNARY      { CHECKED($$, c.Prefix('-', $2.type)); }
| '+' expr %prec UNARY      { CHECKED($$, c.Prefix('+', $2.type)); }
| primary                   { $$ = $1; }
;

primary:
  '(' expr ')'              { $$ = $2; }
| STRING                    { $$.type = c.PushString($1); }
| NUMBER                    { $$.type = c.PushNumber($1.number); }
| TRUE                      { $$.type = c.PushLogical(true); }
| FALSE                     { $$.type = c.PushLogical(false); }
| FIELD_C                   { $$.type = c.Field(TOK_FIELD_C, $1); }
| FIELD_N                   { $$.type = c.Field(TOK_FIELD_N, $1); }
| FIELD_L                   { $$.type = c.Field(TOK_FIELD_L, $1); }
| FIELD_D                   { $$.type = c.Field(TOK_FIELD_D, $1); }
| FIELD_M                   { $$.type = c.Field(TOK_FIELD_M, $1); }
| ALIAS_C                   { $$.type = c.Field(TOK_ALIAS_C, $1); }
| ALIAS_N                   { $$.type = c.Field(TOK_ALIAS_N, $1); }
| ALIAS_L                   { $$.type = c.Field(TOK_ALIAS_L, $1); }
| ALIAS_D                   { $$.type = c.Field(TOK_ALIAS_D, $1); }
| ALIAS_M                   { $$.type = c.Field(TOK_ALIAS_M, $1); }
| call                      { $$ = $1; }
;

call:
  function0 '(' ')'         { CHECKED($$, c.Call($1.token, {})); }
| function1 '(' expr ')'    { CHECKED($$, c.Call($1.token, {$3.type})); }
| function2 '(' expr ',' expr ')'
                            { CHECKED($$, c.Call($1.token, {$3.type, $5.type})); }
| function3 '(' expr ',' expr ',' expr ')'
                            { CHECKED($$, c.Call($1.token, {$3.type, $5.type, $7.type})); }
| STUFF '(' expr ',' expr ',' expr ',' expr ')'
                            { CHECKED($$, c.Call(TOK_STUFF, {$3.type, $5.type, $7.type, $9.type})); }
| STR '(' expr ')'          { CHECKED($$, c.Call(TOK_STR, {$3.type})); }
| STR '(' expr ',' expr ')' { CHECKED($$, c.Call(TOK_STR, {$3.type, $5.type})); }
| STR '(' expr ',' expr ',' expr ')'
                            { CHECKED($$, c.Call(TOK_STR, {$3.type, $5.type, $7.type})); }
;

function0: DATE | DELETED | RECNO ;
function1: ABS | ASC | CDOW | CHR | CMONTH | CTOD | DAY | DOW | DTOC | DTOS | INT | LEN | LOWER
         | LTRIM | MONTH | RTRIM | SOUNDEX | SPACE | TRIM | UPPER | VAL | YEAR ;
function2: AT | LEFT | MAX | MIN | MOD | REPLICATE | RIGHT | ROUND ;
function3: IIF | SUBSTR ;

%%

int vexpr_lex(VEXPR_STYPE* value, vornelle::expr::Compiler& c) { return c.Scan(value); }

void vexpr_error(vornelle::expr::Compiler& c, const char* message) {
  (void)message;  // Bison's own texts; the compiler words its reports itself
  c.ParserError(false);
}

bool vornelle::expr::Compiler::Parse() {
  int rc = vexpr_parse(*this);
  if (rc == 2) ParserError(true);
  if (rc != 0 && error_.empty()) ParserError(false);
  return rc == 0 && error_.empty();
}
