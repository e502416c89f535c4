#pragma once

#include <optional>
#include <string_view>

#include "report/secret_mask.h"

// The words that make a key's name the name of a secret.

// The kind of secret a key of this name holds, if any: the name, in lower case, without the
// marks between its words and without a number at its end, ends in a secret word
// ("Db_Password2", "x-api-key", "API Key").
std::optional<SecretKind> keyKind(std::string_view name);

// Whether `name` is a secret word of running text and nothing more, in any case ("Password",
// "TOKEN").
bool isSecretWord(std::string_view name);

// Values that say whether there is a secret rather than being one ("RequirePassword=true",
// MySQL's "Access denied ... (using password: YES)", "SavePassword=1", "Password: none"), who
// signs in (Tomcat's <Resource auth="Container">), YAML's word for no value and its marks of a
// value on the lines below ("password: |").
bool isPlainSetting(std::string_view value);

// A value masked already, by this tool or by the program that wrote it: asterisks only (this
// tool's "********" among them), or a placeholder such as Rails' "[FILTERED]" (its word alone
// where the brackets are read as the value's marks), "REDACTED", "<hidden>".
bool isMaskedAlready(std::string_view value);

// The shell's PWD and OLDPWD, as an environment dump in a log writes them: the working folder,
// not a password ("PWD=/opt/app"). Inside a connection string PWD is ODBC's password.
bool isWorkingFolder(std::string_view name, std::string_view value);

// A value that only names where the secret comes from: a variable of the environment or of a
// build, whole ("${DB_PASSWORD}", "%DB_PASSWORD%", "$(DbPassword)"). A default after the name
// ("${DB_PASSWORD:x}") may be the secret itself, and makes the value none of these.
bool isVariableReference(std::string_view value);

// How a command-line client takes its password by a one-letter option, where "-p" means other
// things to other programs (a port, "mkdir -p"): MySQL's and MariaDB's "-px", fused ("-p" alone
// asks for it, and the next word is the database); SQL Server's sqlcmd, osql, isql and bcp "-P x"
// or "-Px"; PsExec's and sshpass's "-p x" or "-px", and those of a client's "login" command
// (docker, az, cf, oc); 7-Zip's "-px" and zip's "-P x".
enum class PasswordOption { FusedSmallP, CapitalP, SmallP };

// The password option of the program named `program`, as a command line names it (no folder,
// in any case, with or without ".exe"), if it is one of those clients or "login".
std::optional<PasswordOption> clientPasswordOption(std::string_view program);

// A registry export's number, unquoted: "RequirePassword"=dword:00000001, a qword as hex(b):..
bool isRegistryNumber(std::string_view value);

// The schemes an Authorization header names before its credentials ("Basic", "Bearer").
bool isAuthorizationScheme(std::string_view word);
