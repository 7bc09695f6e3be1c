#!/usr/bin/env python3
"""Fills empty translations of a .ts file from a glossary (source text -> translation).

Used after lupdate: scripts/translate-fill.py resources/language/korvane_zh_CN.ts zh_CN
("en" copies every source text). Existing translations are kept; texts the glossary
does not know stay unfinished and are listed.
"""
import sys
import xml.etree.ElementTree as ET

ZH_CN = {
    # months and weekdays of the calendar
    "January": "一月", "February": "二月", "March": "三月", "April": "四月", "May": "五月",
    "June": "六月", "July": "七月", "August": "八月", "August ": "八月", "September": "九月",
    "September ": "九月", "October": "十月", "October ": "十月", "November": "十一月",
    "December": "十二月",
    "Sun": "日", "Mon": "一", "Tue": "二", "Tues": "二", "Wed": "三", "Wen": "三", "Thu": "四",
    "The": "四", "Fri": "五", "Sat": "六",
    # shell
    "Settings": "设置", "English": "English", "Simplified Chinese": "简体中文",
    "Traditional Chinese": "繁體中文", "Russian": "Русский", "Turkish": "Türkçe", "Arabic": "العربية",
    "Japanese": "日本語", "Spanish": "Español", "German": "Deutsch", "Portuguese": "Português",
    "Main Stream": "主码流", "Sub Stream": "子码流", "Timelapse Video": "延时录像",
    "Baidu": "百度", "Gaode": "高德", "Google": "谷歌", "Is Out China": "位于中国境外",
    "Security Code": "安全密钥", "Browse": "浏览",
    "This program only reads recorder disks; it never writes to them. Use the recordings it shows in accordance with the law.":
        "本程序只读取录像机硬盘，从不向其写入数据。请依法使用所显示的录像。",
    "Open Source Licenses": "开源许可", "Service Agreements": "服务协议", "OK": "确定", "Cancel": "取消",
    "Language": "语言", "Record Stream": "录像码流", "Map Type": "地图类型", "Map Key": "地图密钥",
    "Record Path": "录像路径", "Picture Path": "图片路径", "Version": "版本", "Build Date": "编译日期",
    "The change will take effect after a restart of Korvane.": "更改将在 Korvane 重新启动后生效。",
    "Restart": "立即重启", "Later": "稍后", "Select the path for record": "选择录像保存路径",
    "Select the path for capture": "选择截图保存路径", "Korvane": "Korvane",
    "Do you want to close": "确定要关闭", "Yes": "是", "No": "否", "Prompt": "提示",
    "The file %1 could not be opened.": "无法打开文件 %1。", "I already know": "我已知晓",
    "The map key could not be saved into %1.": "无法将地图密钥保存到 %1。",
    "Minimize": "最小化", "Maximize": "最大化", "Close": "关闭", "Restore": "还原", "Loading": "正在加载",
}


def main():
    path, lang = sys.argv[1], sys.argv[2]
    tree = ET.parse(path)
    missing = []
    for message in tree.getroot().iter("message"):
        source = message.find("source").text or ""
        translation = message.find("translation")
        if translation.text and translation.get("type") != "unfinished":
            continue
        text = source if lang == "en" else ZH_CN.get(source)
        if text is None:
            missing.append(source)
            continue
        translation.text = text
        translation.attrib.pop("type", None)
    tree.write(path, encoding="utf-8", xml_declaration=True)
    with open(path, encoding="utf-8") as f:
        body = f.read()
    with open(path, "w", encoding="utf-8") as f:
        f.write(body.replace("<?xml version='1.0' encoding='utf-8'?>", '<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>', 1))
    for source in missing:
        print("untranslated:", source)


if __name__ == "__main__":
    main()
