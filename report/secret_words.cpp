#include "report/secret_words.h"

#include <algorithm>
#include <string>
#include <utility>

#include "report/ascii_text.h"

namespace {

struct SecretWord {
    std::string_view word;
    SecretKind kind;
    bool wholeWord;  // must begin a word of the name: "DbPass" names a password, "bypass" none
};

// How a key's name ends when it names a secret.
constexpr SecretWord kSecretWords[] = {
    {"password", SecretKind::Password, false},
    {"passwd", SecretKind::Password, false},
    {"pwd", SecretKind::Password, false},
    {"pw", SecretKind::Password, false},  // "db_pw", "ldap_bind_pw", "rootpw"
    {"pass", SecretKind::Password, true},
    // "pass" fused to a word that says whose or what for: PHP's $dbpass, keytool's -storepass.
    // No general rule: "bypass", "lowpass" and "twopass" end in it too.
    {"dbpass", SecretKind::Password, false},
    {"sqlpass", SecretKind::Password, false},
    {"userpass", SecretKind::Password, false},
    {"rootpass", SecretKind::Password, false},
    {"adminpass", SecretKind::Password, false},
    {"loginpass", SecretKind::Password, false},
    {"smtppass", SecretKind::Password, false},
    {"mailpass", SecretKind::Password, false},
    {"ftppass", SecretKind::Password, false},
    {"bindpass", SecretKind::Password, false},
    {"keypass", SecretKind::Password, false},
    {"storepass", SecretKind::Password, false},
    {"requirepass", SecretKind::Password, false},  // Redis
    {"passphrase", SecretKind::Password, false},
    {"passwort", SecretKind::Password, false},     // German
    {"psk", SecretKind::Password, true},           // a Wi-Fi passphrase: wpa_supplicant's psk="x"
    {"authtok", SecretKind::Password, false},      // SSSD's ldap_default_authtok
    {"keymaterial", SecretKind::Password, false},  // a Wi-Fi profile's <keyMaterial>
    {"creds", SecretKind::OtherSecret, true},
    {"secret", SecretKind::OtherSecret, false},
    {"token", SecretKind::OtherSecret, false},
    {"apikey", SecretKind::OtherSecret, false},
    {"accesskey", SecretKind::OtherSecret, false},
    {"privatekey", SecretKind::OtherSecret, false},
    // Keys that are secrets by their first word; a plain "key" names hotkeys, registry and
    // primary keys as often, and stays.
    {"secretkey", SecretKind::OtherSecret, false},
    {"secretkeybase", SecretKind::OtherSecret, false},  // Rails' secret_key_base
    {"accountkey", SecretKind::OtherSecret, false},
    {"encryptionkey", SecretKind::OtherSecret, false},
    {"decryptionkey", SecretKind::OtherSecret, false},
    {"validationkey", SecretKind::OtherSecret, false},
    {"signingkey", SecretKind::OtherSecret, false},
    {"masterkey", SecretKind::OtherSecret, false},
    // WordPress's eight keys and salts sign its log-in cookies: AUTH_KEY, NONCE_SALT, ...
    {"authkey", SecretKind::OtherSecret, false},
    {"noncekey", SecretKind::OtherSecret, false},
    {"loggedinkey", SecretKind::OtherSecret, false},
    {"salt", SecretKind::OtherSecret, true},        // and Drupal's hash_salt
    {"sharedkey", SecretKind::OtherSecret, false},  // VPNs' PreSharedKey, agents' SharedKey
    // Azure's API keys: API Management's Ocp-Apim-Subscription-Key, Functions' x-functions-key.
    {"subscriptionkey", SecretKind::OtherSecret, false},
    {"functionskey", SecretKind::OtherSecret, false},
    {"clientkeydata", SecretKind::OtherSecret, false},  // a kubeconfig's private key
    {"credential", SecretKind::OtherSecret, false},
    {"credentials", SecretKind::OtherSecret, false},
    {"auth", SecretKind::OtherSecret, false},
    {"authorization", SecretKind::AuthorizationHeader, false},
};

}  // namespace

// A word of the name begins after a mark, at a capital after a small letter or digit
// ("dbPass"), or at the last capital of a run before a small letter ("DBPass").
std::optional<SecretKind> keyKind(std::string_view name) {
    // A name that holds a masked value names nothing: masked again, it would name a secret by
    // the words before the mask.
    if (name.find(kMaskedValue) != std::string_view::npos)
        return std::nullopt;
    std::size_t end = name.size();
    while (end > 0 && isDigit(name[end - 1]))
        --end;
    std::string folded;
    std::string wordStarts;
    for (std::size_t i = 0; i < end; ++i) {
        const char c = name[i];
        if (!isAlnum(c))
            continue;
        const char before = i > 0 ? name[i - 1] : ' ';
        const char after = i + 1 < end ? name[i + 1] : ' ';
        const bool starts = !isAlnum(before) ||
                            (isUpper(c) && (isLower(before) || isDigit(before))) ||
                            (isUpper(c) && isUpper(before) && isLower(after));
        folded += lower(c);
        wordStarts += starts ? '1' : '0';
    }
    // Whether the first `size` letters of the name end in `word`.
    const auto endsInWord = [&](std::size_t size, std::string_view word, bool wholeWord) {
        return size >= word.size() &&
               std::string_view(folded).substr(size - word.size(), word.size()) == word &&
               (!wholeWord || wordStarts[size - word.size()] == '1');
    };
    const auto kindOfFirst = [&](std::size_t size) -> std::optional<SecretKind> {
        for (const SecretWord& secret : kSecretWords) {
            if (endsInWord(size, secret.word, secret.wholeWord))
                return secret.kind;
        }
        return std::nullopt;
    };
    // A form's second field for the password ("password_confirmation", "PasswordRepeat") holds
    // the password again.
    for (std::string_view again : {"confirmation", "confirm", "repeat", "again"}) {
        if (endsInWord(folded.size(), again, true)) {
            const std::optional<SecretKind> kind = kindOfFirst(folded.size() - again.size());
            return kind == SecretKind::Password ? kind : std::nullopt;
        }
    }
    return kindOfFirst(folded.size());
}

bool isSecretWord(std::string_view name) {
    // The secret words that running text uses on their own; "requirepass" or "apikey" are
    // names only.
    for (std::string_view word :
         {"password", "passwd", "pwd", "pw", "pass", "passphrase", "passwort", "secret", "token",
          "credential", "credentials", "auth", "authorization"}) {
        if (equalsNoCase(name, word))
            return true;
    }
    return false;
}

bool isPlainSetting(std::string_view value) {
    for (std::string_view setting :
         {"true", "false",     "yes",         "no", "on", "off", "0",  "1", "none", "n/a",
          "null", "container", "application", "~",  "|",  "|-",  "|+", ">", ">-",   ">+"}) {
        if (equalsNoCase(value, setting))
            return true;
    }
    return false;
}

bool isMaskedAlready(std::string_view value) {
    if (!value.empty() && value.find_first_not_of('*') == std::string_view::npos)
        return true;
    for (std::string_view placeholder :
         {"filtered", "redacted", "[filtered]", "[redacted]", "<redacted>", "<hidden>"}) {
        if (equalsNoCase(value, placeholder))
            return true;
    }
    return false;
}

bool isWorkingFolder(std::string_view name, std::string_view value) {
    return (name == "PWD" || name == "OLDPWD") && !value.empty() && value.front() == '/';
}

bool isVariableReference(std::string_view value) {
    constexpr std::pair<std::string_view, std::string_view> kForms[] = {
        {"${", "}"}, {"%", "%"}, {"$(", ")"}};
    for (const auto& [open, close] : kForms) {
        if (value.size() <= open.size() + close.size() || value.substr(0, open.size()) != open ||
            value.substr(value.size() - close.size()) != close)
            continue;
        const std::string_view name =
            value.substr(open.size(), value.size() - open.size() - close.size());
        if (std::all_of(name.begin(), name.end(),
                        [](char c) { return isAlnum(c) || c == '_' || c == '.'; }))
            return true;
    }
    return false;
}

bool isRegistryNumber(std::string_view value) {
    for (std::string_view number : {"dword:", "hex(b):"}) {
        if (value.size() > number.size() && equalsNoCase(value.substr(0, number.size()), number))
            return true;
    }
    return false;
}

std::optional<PasswordOption> clientPasswordOption(std::string_view program) {
    constexpr std::string_view kExe = ".exe";
    if (program.size() > kExe.size() &&
        equalsNoCase(program.substr(program.size() - kExe.size()), kExe))
        program.remove_suffix(kExe.size());
    static constexpr std::pair<std::string_view, PasswordOption> kClients[] = {
        {"mysql", PasswordOption::FusedSmallP},
        {"mysqldump", PasswordOption::FusedSmallP},
        {"mysqladmin", PasswordOption::FusedSmallP},
        {"mysqlimport", PasswordOption::FusedSmallP},
        {"mysqlcheck", PasswordOption::FusedSmallP},
        {"mysqlshow", PasswordOption::FusedSmallP},
        {"mysqlpump", PasswordOption::FusedSmallP},
        {"mariadb", PasswordOption::FusedSmallP},
        {"mariadb-dump", PasswordOption::FusedSmallP},
        {"mariadb-admin", PasswordOption::FusedSmallP},
        {"sqlcmd", PasswordOption::CapitalP},
        {"osql", PasswordOption::CapitalP},
        {"isql", PasswordOption::CapitalP},
        {"bcp", PasswordOption::CapitalP},
        {"psexec", PasswordOption::SmallP},
        {"psexec64", PasswordOption::SmallP},
        {"paexec", PasswordOption::SmallP},
        {"sshpass", PasswordOption::SmallP},
        // The registry and cloud clients' login command: docker, podman, az, cf, oc.
        {"login", PasswordOption::SmallP},
        // Archivers: 7-Zip's "-px" ("-p" alone asks), zip's and unzip's "-P x".
        {"7z", PasswordOption::FusedSmallP},
        {"7za", PasswordOption::FusedSmallP},
        {"7zr", PasswordOption::FusedSmallP},
        {"zip", PasswordOption::CapitalP},
        {"unzip", PasswordOption::CapitalP},
    };
    for (const auto& [name, option] : kClients) {
        if (equalsNoCase(program, name))
            return option;
    }
    return std::nullopt;
}

bool isAuthorizationScheme(std::string_view word) {
    // The HTTP schemes, and those of services' own APIs: GitHub's and Django REST's "token",
    // Discord's "Bot", Azure Storage's "SharedKey", AWS's signature, GoDaddy's "sso-key".
    for (std::string_view scheme :
         {"basic", "bearer", "digest", "negotiate", "ntlm", "kerberos", "token", "bot", "apikey",
          "oauth", "hmac", "sharedkey", "sso-key", "splunk", "aws4-hmac-sha256", "aws"}) {
        if (equalsNoCase(word, scheme))
            return true;
    }
    return false;
}
