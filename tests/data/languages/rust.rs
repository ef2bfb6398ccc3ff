//! A small INI-style config parser with typed lookups.

use std::collections::HashMap;
use std::fmt;
use std::str::FromStr;

#[derive(Debug, PartialEq)]
pub enum ConfigError {
    MissingSection(usize),
    BadLine { line: usize, text: String },
    NotFound(String),
}

impl fmt::Display for ConfigError {
    fn fmt(&self, f: &mut fmt::Formatter<'_>) -> fmt::Result {
        match self {
            ConfigError::MissingSection(n) => write!(f, "line {n}: key before any [section]"),
            ConfigError::BadLine { line, text } => write!(f, "line {line}: cannot read \"{text}\""),
            ConfigError::NotFound(key) => write!(f, "no value for {key}"),
        }
    }
}

#[derive(Default)]
pub struct Config {
    values: HashMap<(String, String), String>,
}

impl Config {
    pub fn parse(text: &str) -> Result<Self, ConfigError> {
        let mut config = Config::default();
        let mut section: Option<String> = None;
        for (index, raw) in text.lines().enumerate() {
            let line = raw.trim();
            if line.is_empty() || line.starts_with(';') {
                continue; // blank or comment
            }
            if let Some(name) = line.strip_prefix('[').and_then(|l| l.strip_suffix(']')) {
                section = Some(name.trim().to_lowercase());
                continue;
            }
            let Some((key, value)) = line.split_once('=') else {
                return Err(ConfigError::BadLine { line: index + 1, text: raw.to_string() });
            };
            let section = section.clone().ok_or(ConfigError::MissingSection(index + 1))?;
            config
                .values
                .insert((section, key.trim().to_lowercase()), value.trim().to_string());
        }
        Ok(config)
    }

    /// Looks up `section.key` and converts it with `FromStr`.
    pub fn get<T: FromStr>(&self, section: &str, key: &str) -> Result<T, ConfigError> {
        let path = format!("{section}.{key}");
        self.values
            .get(&(section.to_lowercase(), key.to_lowercase()))
            .and_then(|v| v.parse::<T>().ok())
            .ok_or(ConfigError::NotFound(path))
    }
}

fn main() {
    let text = "[server]\nport = 8080\nname = \"demo\"\n";
    match Config::parse(text) {
        Ok(config) => {
            let port: u16 = config.get("server", "port").unwrap_or(80);
            println!("listening on {port}");
        }
        Err(e) => eprintln!("config: {e}"),
    }
}
